# Ini reader, per-user settings and start with the system. The suites build the few
# shell sources they cover directly, so they do not wait for the whole shell library.
set(lv_shell_dir "${PROJECT_SOURCE_DIR}/source/common/shell")

lv_add_qtest(tst_cconfig LABEL shell
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_cconfig.cpp" "${lv_shell_dir}/cconfig.cpp"
    LINKS lv_platform TIMEOUT 60)

lv_add_qtest(tst_registrysettings LABEL shell
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_registrysettings.cpp"
            "${lv_shell_dir}/registrysettings.cpp" "${lv_shell_dir}/autostartconfig.cpp"
    LINKS lv_platform TIMEOUT 60)
