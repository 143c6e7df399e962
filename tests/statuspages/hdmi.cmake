# HDMI page: info-frame decoding (pure) and the page against the emulated device.
lv_add_qtest(tst_infoframes LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_infoframes.cpp
    LINKS lv_statuspages)

lv_add_qtest(tst_wtabpagehdmi LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wtabpagehdmi.cpp ${CMAKE_CURRENT_LIST_DIR}/../timingeditors/hdmitestsupport.h
    LINKS lv_statuspages lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
