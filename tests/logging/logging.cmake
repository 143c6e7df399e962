# Logging suites: levels and templates, the logger object, the file sink with
# its rolling, and the console sink.
lv_add_qtest(tst_sink LABEL logging
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sink.cpp LINKS lv_logging TIMEOUT 60)
lv_add_qtest(tst_sinkfilelog LABEL logging
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sinkfilelog.cpp LINKS lv_logging TIMEOUT 60)
lv_add_qtest(tst_lvlogger LABEL logging
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lvlogger.cpp LINKS lv_logging TIMEOUT 120)
lv_add_qtest(tst_sinkconsolelog LABEL logging
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sinkconsolelog.cpp LINKS lv_logging TIMEOUT 60)
