# The software update dialog, driven by the update manager's signals and against the
# loopback update server.
lv_add_qtest(tst_appupgradedialog LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_appupgradedialog.cpp ${CMAKE_CURRENT_LIST_DIR}/updatetestserver.h
    LINKS lv_update lv_resources
    TIMEOUT 60)
target_compile_definitions(tst_appupgradedialog PRIVATE LV_UPDATE_SERVER_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/updateserver.py")
