# Input page: one full reload (time and transfers by report id) against the emulated device.
if(TARGET lv_emulator)
    add_executable(bench_inputpage ${CMAKE_CURRENT_LIST_DIR}/bench_inputpage.cpp ${CMAKE_CURRENT_LIST_DIR}/pagebench.h)
    target_link_libraries(bench_inputpage PRIVATE lv_statuspages lv_resources lv_emulator benchmark::benchmark)
endif()
