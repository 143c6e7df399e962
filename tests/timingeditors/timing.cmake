# Timing adjust tab and custom timing list against the emulated device.
lv_add_qtest(tst_timingeditors LABEL timingeditors
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_timingeditors.cpp ${CMAKE_CURRENT_LIST_DIR}/timingtestsupport.h
    LINKS lv_timingeditors lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
target_include_directories(tst_timingeditors PRIVATE ${CMAKE_CURRENT_LIST_DIR})
