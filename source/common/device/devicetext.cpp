#include "device/devicetext.h"

QString DeviceText(const char* field, int fieldSize)
{
    QString text;
    if (!field)
        return text;
    for (int i = 0; i < fieldSize && field[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        text += (c >= 0x20 && c < 0x7F) ? QChar(c) : QChar(QChar::ReplacementCharacter);
    }
    return text;
}
