# The Info page, its firmware update cell and the firmware upgrade dialogs, against
# the emulated device.
lv_add_qtest(tst_wtabpageinfo LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wtabpageinfo.cpp
    LINKS lv_statuspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)

# The firmware update cell's whole road: a check and a download from the loopback
# update server, the flashing into the emulated device, and each failure.
lv_add_qtest(tst_inforoad LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_inforoad.cpp
    LINKS lv_statuspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 180)
target_compile_definitions(tst_inforoad PRIVATE LV_UPDATE_SERVER_SCRIPT="${PROJECT_SOURCE_DIR}/tests/update/updateserver.py")
