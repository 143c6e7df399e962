# Presenter: listener registry, hot-plug, notification poll, firmware flashing.
#
# Under -DLV_SANITIZE_THREAD=ON every suite also links a shim that makes QMutex's
# hand-over visible to ThreadSanitizer (Qt itself is not instrumented), and reads the
# suppressions for the uninstrumented USB emulation plumbing.
set(lv_presenter_tsan_sources "")
set(lv_presenter_tsan_links "")
set(lv_presenter_tsan_env "")
if(LV_SANITIZE_THREAD)
    set(lv_presenter_tsan_sources ${CMAKE_CURRENT_LIST_DIR}/tst_lumivandrexpresenter_tsansupport.cpp)
    set(lv_presenter_tsan_links ${CMAKE_DL_LIBS})
    set(lv_presenter_tsan_env
        "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_CURRENT_LIST_DIR}/tst_lumivandrexpresenter_tsan.supp")
endif()

lv_add_qtest(tst_notify LABEL device
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_notify.cpp ${lv_presenter_tsan_sources}
    LINKS lv_device ${lv_presenter_tsan_links}
    ENVIRONMENT ${lv_presenter_tsan_env}
    TIMEOUT 60)

foreach(suite tst_lumivandrexpresenter tst_notifypoll tst_upgrade tst_lumivandrexpresenter_stress)
    lv_add_qtest(${suite} LABEL device
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp ${lv_presenter_tsan_sources}
        LINKS lv_device lv_emulator ${lv_presenter_tsan_links}
        ENVIRONMENT ${lv_presenter_tsan_env}
        TIMEOUT 180)
endforeach()

# The hot-plug stress at full length, only in a ThreadSanitizer build: 120 plugs and
# about as many unplugs while a page thread transfers under the presenter lock.
if(LV_SANITIZE_THREAD)
    lv_add_qtest(tst_lumivandrexpresenter_tsan LABEL device
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lumivandrexpresenter_stress.cpp ${lv_presenter_tsan_sources}
        LINKS lv_device lv_emulator ${lv_presenter_tsan_links}
        ENVIRONMENT LV_STRESS_CYCLES=120 ${lv_presenter_tsan_env}
        TIMEOUT 600)
endif()
