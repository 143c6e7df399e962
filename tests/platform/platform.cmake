# Platform layers: per-user stores, XDG autostart, window helpers, single instance.

# A tiny single-instance program the process-level tests start several times.
add_executable(lv_singleinstance_helper "${CMAKE_CURRENT_LIST_DIR}/singleinstancehelper.cpp")
target_link_libraries(lv_singleinstance_helper PRIVATE lv_platform)

lv_add_qtest(tst_singleapplication LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_singleapplication.cpp"
    LINKS lv_platform Qt5::Network TIMEOUT 120)
target_compile_definitions(tst_singleapplication PRIVATE
    LV_SINGLE_INSTANCE_HELPER="$<TARGET_FILE:lv_singleinstance_helper>")
add_dependencies(tst_singleapplication lv_singleinstance_helper)

lv_add_qtest(tst_localpeer LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_localpeer.cpp"
    LINKS lv_platform Qt5::Network TIMEOUT 60)

lv_add_qtest(tst_autostart LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_autostart.cpp"
    LINKS lv_platform TIMEOUT 60)

lv_add_qtest(tst_userstores LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_userstores.cpp"
    LINKS lv_platform TIMEOUT 60)

lv_add_qtest(tst_windowhelpers LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_windowhelpers.cpp"
    LINKS lv_platform TIMEOUT 60)
