# The Info page, its firmware update cell and the firmware upgrade dialogs, against
# the emulated device.
lv_add_qtest(tst_wtabpageinfo LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wtabpageinfo.cpp
    LINKS lv_statuspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
