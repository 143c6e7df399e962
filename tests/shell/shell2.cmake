# Application shell II: start-up, main window and tray, about dialog.
set(lv_shell2_home "${CMAKE_CURRENT_BINARY_DIR}/shell2-home")

lv_add_qtest(tst_shellstartupenv LABEL shell
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shellstartupenv.cpp
    LINKS lv_shell
    TIMEOUT 60)

lv_add_qtest(tst_shellstartup LABEL shell
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shellstartup.cpp
    LINKS lv_shell lv_resources
    ENVIRONMENT "HOME=${lv_shell2_home}" "XDG_CONFIG_HOME=${lv_shell2_home}/.config"
    TIMEOUT 60)

if(TARGET lv_emulator)
    lv_add_qtest(tst_mainwindow LABEL shell
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp
        LINKS lv_shell lv_resources lv_emulator
        TIMEOUT 120)

    # What start-up and the first plug read, against one full reload.
    lv_add_qtest(tst_shellstartupreads LABEL shell
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shellstartupreads.cpp
        LINKS lv_shell lv_resources lv_emulator
        TIMEOUT 120)

    # Start the real program: the single-instance id is fixed, so these runs never
    # overlap with each other (each also has its own runtime folder). tst_xdesktop
    # runs it on Xvfb with openbox and no tray, started by the suite itself.
    foreach(suite tst_processstart tst_xdesktop)
        lv_add_qtest(${suite} LABEL shell
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp
            LINKS Qt5::Gui
            TIMEOUT 300)
        target_compile_definitions(${suite} PRIVATE
            LV_PROGRAM_PATH="$<TARGET_FILE:LumivandrexUtility>"
            LV_LAUNCHER_PATH="$<TARGET_FILE:lv_emulated_launch>")
        target_include_directories(${suite} PRIVATE "${PROJECT_SOURCE_DIR}/tests/emulator")
        add_dependencies(${suite} LumivandrexUtility lv_emulated_launch)
        set_tests_properties(${suite} PROPERTIES RESOURCE_LOCK lumivandrex_single_instance)
    endforeach()
endif()
