# HDMI page: cost and transfers of one full reload against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_hdmipage ${CMAKE_CURRENT_LIST_DIR}/bench_hdmipage.cpp)
    target_link_libraries(bench_hdmipage PRIVATE lv_statuspages lv_benchsupport)
endif()
