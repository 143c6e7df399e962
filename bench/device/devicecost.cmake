# What a current device that stops answering costs the GUI thread (full reload, HTML
# report, one poll), and how many log lines idle and a 1 MiB flashing write.
if(TARGET lv_benchsupport)
    add_executable(bench_devicecost ${CMAKE_CURRENT_LIST_DIR}/bench_devicecost.cpp)
    target_link_libraries(bench_devicecost PRIVATE lv_shell lv_resources lv_benchsupport Qt5::Test)
endif()
