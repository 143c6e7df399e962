# The software update dialog, driven by the update manager's signals.
lv_add_qtest(tst_appupgradedialog LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_appupgradedialog.cpp
    LINKS lv_update lv_resources
    TIMEOUT 60)
