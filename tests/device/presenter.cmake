# Presenter: listener registry, hot-plug, notification poll, firmware flashing.
lv_add_qtest(tst_notify LABEL device
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_notify.cpp
    LINKS lv_device
    TIMEOUT 60)

foreach(suite tst_lumivandrexpresenter tst_notifypoll tst_upgrade tst_lumivandrexpresenter_stress)
    lv_add_qtest(${suite} LABEL device
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp
        LINKS lv_device lv_emulator
        TIMEOUT 180)
endforeach()

# The hot-plug stress at full length, only in a ThreadSanitizer build: 1000 plugs and
# about as many unplugs while a page thread transfers under the presenter lock. QtTest's
# own watchdog (300 s a function) is put just inside CTest's bound: under load the run
# takes about 300 s.
if(LV_SANITIZE_THREAD)
    lv_add_qtest(tst_lumivandrexpresenter_tsan LABEL device
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lumivandrexpresenter_stress.cpp
        LINKS lv_device lv_emulator
        ENVIRONMENT LV_STRESS_CYCLES=1000 QTEST_FUNCTION_TIMEOUT=870000
        TIMEOUT 900)
endif()

lv_add_qtest(tst_devicecost LABEL device SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_devicecost.cpp
    LINKS lv_shell lv_emulator lv_resources TIMEOUT 180)
