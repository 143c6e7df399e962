# Every text whole at the looks the ini allows: the main window, its pages and every
# box and dialog the emulated device reaches, in English and Chinese.
if(TARGET lv_emulator)
    lv_add_qtest(tst_wholetexts LABEL shell
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wholetexts.cpp ${PROJECT_SOURCE_DIR}/tests/support/lvtextaudit.h
        LINKS lv_shell lv_resources lv_emulator
        TIMEOUT 300)
endif()
