# Capture format editors (colour formats, frame rates, image sizes) and their dialogs,
# against the emulated device.
if(TARGET lv_emulator)
    lv_add_qtest(tst_formateditors LABEL formateditors
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_formateditors.cpp ${CMAKE_CURRENT_LIST_DIR}/tst_formats_support.h
        LINKS lv_formateditors lv_emulator lv_resources
        ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
        TIMEOUT 120)
endif()
