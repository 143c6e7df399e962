#pragma once
// Display names of the video processing codes (reports 0x11, 0x13 to 0x17) as the report
// sections show them. The Video page's combo boxes word a few of them differently.

#include <QString>

QString GetColorFormatString(int code);   // 1..4; "Unknown" otherwise (0 included)
QString GetQualizationString(int code);   // 1..2; "Unknown" otherwise
QString GetSaturationString(int code);    // 1..3; "Unknown" otherwise
QString GetDeinterlaceString(int code);   // 0..3; empty otherwise
QString GetARString(int code);            // 0..2; empty otherwise
