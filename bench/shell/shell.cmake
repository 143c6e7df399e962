# Start-up time and resident memory of the program against a bare Qt window, on Xvfb.
if(TARGET lv_emulated_launch)
    add_executable(bench_minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimalwindow.cpp
                   ${PROJECT_SOURCE_DIR}/source/common/shell/firstpaintmarker.cpp)
    target_include_directories(bench_minimal_window PRIVATE ${PROJECT_SOURCE_DIR}/source/common)
    target_link_libraries(bench_minimal_window PRIVATE Qt5::Widgets)

    add_executable(bench_execstamp ${CMAKE_CURRENT_LIST_DIR}/execstamp.cpp)

    add_executable(bench_shellstartup ${CMAKE_CURRENT_LIST_DIR}/bench_shellstartup.cpp)
    target_link_libraries(bench_shellstartup PRIVATE benchmark::benchmark Qt5::Core)
    target_include_directories(bench_shellstartup PRIVATE "${PROJECT_SOURCE_DIR}/tests/emulator")
    target_compile_definitions(bench_shellstartup PRIVATE
        LV_PROGRAM_PATH="$<TARGET_FILE:LumivandrexUtility>"
        LV_LAUNCHER_PATH="$<TARGET_FILE:lv_emulated_launch>"
        LV_EXECSTAMP_PATH="$<TARGET_FILE:bench_execstamp>"
        LV_MINIMAL_PATH="$<TARGET_FILE:bench_minimal_window>")
    add_dependencies(bench_shellstartup LumivandrexUtility lv_emulated_launch bench_minimal_window bench_execstamp)
endif()

# What start-up and the first plug read, in-process against the emulated device.
if(TARGET lv_benchsupport)
    add_executable(bench_startupreads ${CMAKE_CURRENT_LIST_DIR}/bench_startupreads.cpp)
    target_link_libraries(bench_startupreads PRIVATE lv_shell lv_resources lv_benchsupport Qt5::Test)
endif()
