# Update service: the update library, checkers, downloader and manager against a
# loopback update server started by the suites themselves; the firmware file
# reader and the flashing thread against the emulated device.
set(lv_update_server "${CMAKE_CURRENT_LIST_DIR}/updateserver.py")

lv_add_qtest(tst_updateservice LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_updateservice.cpp ${CMAKE_CURRENT_LIST_DIR}/updatetestserver.h
    LINKS lv_update
    TIMEOUT 180)
target_compile_definitions(tst_updateservice PRIVATE LV_UPDATE_SERVER_SCRIPT="${lv_update_server}")

lv_add_qtest(tst_updateflash LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_updateflash.cpp ${CMAKE_CURRENT_LIST_DIR}/updatetestserver.h
    LINKS lv_update lv_emulator
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 180)
target_compile_definitions(tst_updateflash PRIVATE LV_UPDATE_SERVER_SCRIPT="${lv_update_server}")
