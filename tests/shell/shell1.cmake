# Application shell I: settings bar and commit, title bar and device menu, tab
# container and tab set, HTML report. All run against the emulated device.
foreach(suite tst_settingsbar tst_titlebar tst_propertypage tst_htmlreport)
    if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp")
        lv_add_qtest(${suite} LABEL shell
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp ${CMAKE_CURRENT_LIST_DIR}/shell1testsupport.h
            LINKS lv_shell lv_emulator lv_resources
            TIMEOUT 120)
    endif()
endforeach()
set_tests_properties(tst_propertypage PROPERTIES TIMEOUT 300)   # the bars at eighty fonts
