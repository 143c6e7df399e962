# EDID and timing editors: the calculators and EDID helpers (pure), the EDID views,
# files and the detailed timing dialog against the emulated device.
lv_add_qtest(tst_timingcalculators LABEL timingeditors
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_timingcalculators.cpp
    LINKS lv_timingeditors)

lv_add_qtest(tst_edidviews LABEL timingeditors
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_edidviews.cpp ${CMAKE_CURRENT_LIST_DIR}/hdmitestsupport.h
    LINKS lv_timingeditors lv_emulator lv_resources
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT}
    TIMEOUT 120)
