#pragma once
// The one reader of the fixed-width texts in the device's records (model and family
// name, serial number, ...). The device writes NUL-terminated ASCII; the reader stops at
// the first NUL or at the end of the field, whichever comes first, and shows any byte
// outside printable ASCII as U+FFFD, so a faulty device can neither make us read past
// its record nor slip control characters into a window title, a file name or the report.

#include <QString>

QString DeviceText(const char* field, int fieldSize);

template <int N>
inline QString DeviceText(const char (&field)[N])
{
    return DeviceText(field, N);
}
