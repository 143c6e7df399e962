#pragma once
// Records of the video processing (0x13 to 0x17), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
