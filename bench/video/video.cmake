# Video page: one full reload (time and transfers by report id) against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_videopage ${CMAKE_CURRENT_LIST_DIR}/bench_videopage.cpp)
    target_link_libraries(bench_videopage PRIVATE lv_settingspages lv_resources lv_benchsupport)
endif()
