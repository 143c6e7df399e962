# Custom input resolutions and their dialog against the emulated device.
lv_add_qtest(tst_resolution LABEL formateditors
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_resolution.cpp
    LINKS lv_formateditors lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
target_include_directories(tst_resolution PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../timingeditors)
