#include "toolkit/textfit.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

QFont FontFittingWidth(QFont font, const QStringList& texts, int width)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    while (font.pixelSize() > 1) {
        const QFontMetrics metrics(font);
        if (std::all_of(texts.cbegin(), texts.cend(),
                        [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; }))
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}
