# Advanced page: one full reload against the emulated device, with its transfers by report id.
if(TARGET lv_benchsupport)
    add_executable(bench_advanced ${CMAKE_CURRENT_LIST_DIR}/bench_advanced.cpp)
    target_link_libraries(bench_advanced PRIVATE lv_settingspages lv_resources lv_benchsupport)
endif()
