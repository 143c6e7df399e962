#pragma once
// Records shared by the update manager, its checkers and the screens.

#include <QByteArray>
#include <QString>

// One offered update package, as the update service describes it. Every field is
// a NUL-terminated text of at most 1024 characters.
struct PackageInfo
{
    char version[1025];     // dot-separated numbers
    char url[1025];         // download address
    char md5[1025];         // MD5 of the package file, hexadecimal
    char changeLog[1025];   // release notes ("###" and "##" markers)
};

// Four NUL-terminated texts (at most 32 bytes each) that describe the current
// device for a firmware check: product id (model code in decimal), byte 5 of
// report 1 in decimal, hardware letter, firmware version "major.minor.build".
struct _KVUPDATE_FIRMWARE_INFO
{
    char* info[4];
};

// A text field of a package as the program shows and uses it: UTF-8, never read past
// the field even when the terminator is missing.
template <int N>
inline QString PackageText(const char (&field)[N])
{
    return QString::fromUtf8(field, int(qstrnlen(field, N)));
}
