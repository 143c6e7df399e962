# The Timing page against the emulated device: automatic adjustment panel, refreshes,
# notifications, report section and screenshots of its three inner tabs.
lv_add_qtest(tst_timingpage LABEL settingspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_timingpage.cpp
    LINKS lv_settingspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
target_include_directories(tst_timingpage PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../timingeditors)
