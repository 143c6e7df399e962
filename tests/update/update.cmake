# Update service: the update library, checkers, downloader and manager against a
# loopback update server started by the suites themselves; the firmware file
# reader and the flashing thread against the emulated device.
set(lv_update_server "${CMAKE_CURRENT_LIST_DIR}/updateserver.py")

lv_add_qtest(tst_updateservice LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_updateservice.cpp ${CMAKE_CURRENT_LIST_DIR}/updatetestserver.h
    LINKS lv_update
    TIMEOUT 180)
target_compile_definitions(tst_updateservice PRIVATE LV_UPDATE_SERVER_SCRIPT="${lv_update_server}")

# Under ThreadSanitizer it takes the presenter suites' QMutex shim and suppressions
# (tests/device/presenter.cmake), since it flashes through the presenter too.
lv_add_qtest(tst_updateflash LABEL update
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_updateflash.cpp ${CMAKE_CURRENT_LIST_DIR}/updatetestserver.h
            ${lv_presenter_tsan_sources}
    LINKS lv_update lv_emulator ${lv_presenter_tsan_links}
    ENVIRONMENT ${LV_EMULATOR_TEST_ENVIRONMENT} ${lv_presenter_tsan_env}
    TIMEOUT 180)
target_compile_definitions(tst_updateflash PRIVATE LV_UPDATE_SERVER_SCRIPT="${lv_update_server}")
