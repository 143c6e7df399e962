# The images of the resource tree are drawn at build time by a small Qt tool whose
# source (images/drawimages.cpp) is the reviewable form of every picture; the tool
# also writes the .qrc that names them, which rcc compiles into lv_resources.
add_executable(lv_drawimages "${CMAKE_CURRENT_LIST_DIR}/images/drawimages.cpp")
target_link_libraries(lv_drawimages PRIVATE Qt5::Gui)
set_target_properties(lv_drawimages PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)

set(LV_IMAGE_DIR "${CMAKE_CURRENT_BINARY_DIR}/images")
set(LV_IMAGE_QRC "${LV_IMAGE_DIR}/images.qrc")
set(LV_IMAGE_CPP "${CMAKE_CURRENT_BINARY_DIR}/qrc_lv_images.cpp")
add_custom_command(OUTPUT "${LV_IMAGE_QRC}"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:lv_drawimages> "${LV_IMAGE_DIR}"
    DEPENDS lv_drawimages
    COMMENT "Drawing the resource images"
    VERBATIM)
add_custom_command(OUTPUT "${LV_IMAGE_CPP}"
    COMMAND Qt5::rcc --name lv_images -o "${LV_IMAGE_CPP}" "${LV_IMAGE_QRC}"
    DEPENDS "${LV_IMAGE_QRC}"
    COMMENT "Compiling the resource images"
    VERBATIM)
set_source_files_properties("${LV_IMAGE_CPP}" PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
list(APPEND LV_RESOURCE_SOURCES "${LV_IMAGE_CPP}")
