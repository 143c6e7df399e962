#pragma once
// Records of the device name mode and no-signal image (0xFC, 0xFD), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
