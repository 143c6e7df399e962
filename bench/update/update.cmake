# Firmware file reader and flashing thread: a 1 MiB file end to end against the
# emulated device, with the transfers it needed.
if(TARGET lv_benchsupport)
    add_executable(bench_updateflash ${CMAKE_CURRENT_LIST_DIR}/bench_updateflash.cpp)
    target_link_libraries(bench_updateflash PRIVATE lv_update lv_benchsupport)
endif()
