# Input page: one full reload (time and transfers by report id) against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_inputpage ${CMAKE_CURRENT_LIST_DIR}/bench_inputpage.cpp)
    target_link_libraries(bench_inputpage PRIVATE lv_statuspages lv_resources lv_benchsupport)
endif()
