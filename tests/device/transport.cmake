# HID transport, USB enumeration, report records and the emulated device's own model.
lv_add_qtest(tst_lumivandrexdevice LABEL device
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lumivandrexdevice.cpp
    LINKS lv_device lv_emulator
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)

lv_add_qtest(tst_emulateddevice LABEL device
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_emulateddevice.cpp
    LINKS lv_device lv_emulator
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)

lv_add_qtest(tst_kvcaprecords LABEL device
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_kvcaprecords.cpp
    LINKS lv_device)
target_compile_definitions(tst_kvcaprecords PRIVATE
    LV_UDEV_RULE_FILE="${PROJECT_SOURCE_DIR}/packaging/udev/60-lumivandrex.rules")
