# Application shell II: start-up, main window and tray, about dialog.
set(lv_shell2_home "${CMAKE_CURRENT_BINARY_DIR}/shell2-home")

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

    # Starts the real program: the single-instance id is fixed, so these runs
    # never overlap with each other (each also has its own runtime folder).
    lv_add_qtest(tst_processstart LABEL shell
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_processstart.cpp
        LINKS Qt5::Core
        TIMEOUT 180)
    target_compile_definitions(tst_processstart PRIVATE
        LV_PROGRAM_PATH="$<TARGET_FILE:LumivandrexUtility>"
        LV_LAUNCHER_PATH="$<TARGET_FILE:lv_emulated_launch>")
    add_dependencies(tst_processstart LumivandrexUtility lv_emulated_launch)
    set_tests_properties(tst_processstart PROPERTIES RESOURCE_LOCK lumivandrex_single_instance)
endif()

if(TARGET lv_emulator)
    # The real program on Xvfb with openbox and no tray (started by the suite itself).
    lv_add_qtest(tst_xdesktop LABEL shell
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xdesktop.cpp
        LINKS Qt5::Gui
        TIMEOUT 120)
    target_compile_definitions(tst_xdesktop PRIVATE
        LV_PROGRAM_PATH="$<TARGET_FILE:LumivandrexUtility>"
        LV_LAUNCHER_PATH="$<TARGET_FILE:lv_emulated_launch>")
    add_dependencies(tst_xdesktop LumivandrexUtility lv_emulated_launch)
    set_tests_properties(tst_xdesktop PROPERTIES RESOURCE_LOCK lumivandrex_single_instance)
endif()
