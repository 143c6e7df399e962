# HDMI page: info-frame decoding (pure) and the page against the emulated device.
lv_add_qtest(tst_infoframes LABEL statuspages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_infoframes.cpp
    LINKS lv_statuspages)
