#pragma once
// Records of the audio nodes and volumes (0x04, 0xB0 to 0xB7), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
