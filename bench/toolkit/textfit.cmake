# The text fitter's cost: the seven pages repainted with and without it, in one process.
if(TARGET lv_benchsupport)
    add_executable(bench_textfit ${CMAKE_CURRENT_LIST_DIR}/bench_textfit.cpp)
    target_include_directories(bench_textfit PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(bench_textfit PRIVATE lv_shell lv_resources lv_benchsupport Qt5::Test)
endif()
