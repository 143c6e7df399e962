# Cost of the HID transport and of one enumeration pass, against the emulated device.
if(TARGET lv_emulator)
    add_executable(bench_transport ${CMAKE_CURRENT_LIST_DIR}/bench_transport.cpp)
    target_link_libraries(bench_transport PRIVATE lv_device lv_emulator benchmark::benchmark)
endif()
