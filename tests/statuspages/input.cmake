# Input page: status views, source selection, notifications and report section, against
# the emulated device.
if(TARGET lv_emulator)
    lv_add_qtest(tst_inputpage LABEL statuspages
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_inputpage.cpp ${CMAKE_CURRENT_LIST_DIR}/input_pagetest.h
        LINKS lv_statuspages lv_resources lv_emulator
        ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
        TIMEOUT 120)
    target_compile_definitions(tst_inputpage PRIVATE LV_INPUT_TEST_DIR="${CMAKE_CURRENT_LIST_DIR}")
endif()
