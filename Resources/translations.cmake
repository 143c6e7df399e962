# Chinese translation: every translations/*_zh.ts (one file per area of the program, so
# areas never edit the same file) is compiled by one lrelease run into a single .qm,
# put into the resources as ":/Trans/trans_zh".
file(GLOB lv_ts_file CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/translations/*_zh.ts")
list(SORT lv_ts_file)
if(lv_ts_file)
    set(lv_i18n_dir "${CMAKE_CURRENT_BINARY_DIR}/i18n")
    file(MAKE_DIRECTORY "${lv_i18n_dir}")
    set(lv_qm_file "${lv_i18n_dir}/lumivandrexutility_zh.qm")
    add_custom_command(OUTPUT "${lv_qm_file}"
        COMMAND Qt5::lrelease -silent ${lv_ts_file} -qm "${lv_qm_file}"
        DEPENDS ${lv_ts_file}
        COMMENT "Compiling the Chinese translation")
    set(lv_trans_qrc "${lv_i18n_dir}/translations.qrc")
    file(WRITE "${lv_trans_qrc}.in"
"<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/Trans\">\n        <file alias=\"trans_zh\">lumivandrexutility_zh.qm</file>\n    </qresource>\n</RCC>\n")
    configure_file("${lv_trans_qrc}.in" "${lv_trans_qrc}" COPYONLY)
    # rcc is run by hand (not AUTORCC) so that it waits for lrelease.
    set(lv_trans_cpp "${lv_i18n_dir}/qrc_translations.cpp")
    add_custom_command(OUTPUT "${lv_trans_cpp}"
        COMMAND Qt5::rcc --name lv_translations -o "${lv_trans_cpp}" "${lv_trans_qrc}"
        DEPENDS "${lv_trans_qrc}" "${lv_qm_file}"
        COMMENT "Embedding the Chinese translation")
    set_source_files_properties("${lv_trans_cpp}" PROPERTIES GENERATED TRUE SKIP_AUTOMOC ON SKIP_AUTOUIC ON)
    list(APPEND LV_RESOURCE_SOURCES "${lv_trans_cpp}")
endif()
