# One static library per subsystem folder. Sources are picked up by glob so that
# adding a class means adding its .cpp/.h pair, nothing more. `main.cpp` stays out:
# it belongs to the executable.
function(lv_add_subsystem target dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    set(cpp_sources ${sources})
    list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
    if(NOT cpp_sources)
        # A subsystem still without classes: keep the target real so links stay uniform.
        set(stub "${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp")
        file(WRITE "${stub}" "// ${target} has no sources yet\n")
        list(APPEND sources "${stub}")
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC
        "${PROJECT_SOURCE_DIR}/source/common"
        "${PROJECT_SOURCE_DIR}/source")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()
