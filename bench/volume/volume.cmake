# Volume page: the transfers and the time of a full reload against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_volumepage ${CMAKE_CURRENT_LIST_DIR}/bench_volumepage.cpp)
    target_link_libraries(bench_volumepage PRIVATE lv_settingspages lv_benchsupport)
endif()
