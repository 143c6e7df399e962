# Every text the sources pass through the translation system has a Chinese translation
# in the compiled resources: lupdate lists the texts, the test asks the translator.
lv_add_qtest(tst_translations LABEL shell
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_translations.cpp
    LINKS lv_resources Qt5::Core
    TIMEOUT 120)
target_compile_definitions(tst_translations PRIVATE
    LV_LUPDATE="$<TARGET_FILE:Qt5::lupdate>" LV_SOURCE_DIR="${PROJECT_SOURCE_DIR}/source")
