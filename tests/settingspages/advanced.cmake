# The Advanced page against the emulated device.
if(TARGET lv_emulator)
    lv_add_qtest(tst_wtabpageadvanced LABEL settingspages
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wtabpageadvanced.cpp
        LINKS lv_settingspages lv_emulator lv_resources
        ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
        TIMEOUT 120)
    target_include_directories(tst_wtabpageadvanced PRIVATE "${CMAKE_CURRENT_LIST_DIR}/../formateditors")
endif()
