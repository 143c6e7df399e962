# Throughput of the logger into the file sink.
add_executable(bench_sinkfilelog ${CMAKE_CURRENT_LIST_DIR}/bench_sinkfilelog.cpp)
target_link_libraries(bench_sinkfilelog PRIVATE lv_logging benchmark::benchmark)
