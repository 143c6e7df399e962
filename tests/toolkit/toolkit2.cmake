# Suites of the dialogs, message box, panels and keyboard tables of the toolkit.
foreach(suite tst_qwrappermsgbox tst_qcustomdialog tst_qtablewid tst_qwrappertablewidget
              tst_qcolorpiecewidget)
    lv_add_qtest(${suite} LABEL toolkit
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp
        LINKS lv_toolkit lv_resources
        TIMEOUT 120)
endforeach()
