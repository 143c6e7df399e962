#pragma once
// Records of the timing reports (0x90 to 0x97), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
