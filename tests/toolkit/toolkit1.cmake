# Toolkit I: focus model, tab stack and buttons, check box and combo box, sliders and
# spin box, style-sheet builders, application style sheet and resource images.
lv_add_qtest(tst_stylesheetbuilder LABEL toolkit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_stylesheetbuilder.cpp
    LINKS lv_toolkit TIMEOUT 60)
lv_add_qtest(tst_focusmodel LABEL toolkit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_focusmodel.cpp
    LINKS lv_toolkit TIMEOUT 60)
lv_add_qtest(tst_sliders LABEL toolkit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sliders.cpp
    LINKS lv_toolkit TIMEOUT 60)
lv_add_qtest(tst_toolkitresources LABEL toolkit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_toolkitresources.cpp
    LINKS lv_toolkit lv_resources TIMEOUT 60)
