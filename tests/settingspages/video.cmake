# Video page: every control's write, refreshes and notifications, report section, against
# the emulated device.
if(TARGET lv_emulator)
    lv_add_qtest(tst_videopage LABEL settingspages
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_videopage.cpp
        LINKS lv_settingspages lv_resources lv_emulator
        ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
        TIMEOUT 120)
    target_include_directories(tst_videopage PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../statuspages)
    target_compile_definitions(tst_videopage PRIVATE LV_INPUT_TEST_DIR="${CMAKE_CURRENT_LIST_DIR}/../statuspages")
endif()
