#pragma once
// Records of the capture formats (0x18 to 0x1A), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
