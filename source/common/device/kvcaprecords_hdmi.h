#pragma once
// Records of the EDID and info-frame reports (0x98 to 0x9B, 0xA0 to 0xA9), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
