# Transfers and time of a full reload of the Timing page, against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_timingpage ${CMAKE_CURRENT_LIST_DIR}/bench_timingpage.cpp)
    target_link_libraries(bench_timingpage PRIVATE lv_settingspages lv_benchsupport)
endif()
