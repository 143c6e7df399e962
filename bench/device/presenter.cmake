# Presenter: 1 MiB firmware flashing throughput and the cost of one idle enumeration
# cycle, against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_presenter ${CMAKE_CURRENT_LIST_DIR}/bench_presenter.cpp)
    target_link_libraries(bench_presenter PRIVATE lv_device lv_benchsupport)
endif()
