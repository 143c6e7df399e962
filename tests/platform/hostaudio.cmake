# The host's audio endpoint volume, against a private PulseAudio daemon the suite starts.
lv_add_qtest(tst_hostaudiovolume LABEL platform
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/tst_hostaudiovolume.cpp" "${CMAKE_CURRENT_LIST_DIR}/pulsetestdaemon.h"
    LINKS lv_platform TIMEOUT 60)
