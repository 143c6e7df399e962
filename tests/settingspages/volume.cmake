# The Volume page against the emulated device (and a private PulseAudio daemon).
lv_add_qtest(tst_volumepage LABEL settingspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_volumepage.cpp
    LINKS lv_settingspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
target_include_directories(tst_volumepage PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform)
