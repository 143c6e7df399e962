#pragma once
// Fitting texts of a large font (the ini allows up to 20 pixels) into controls of a
// fixed width.

#include <QFont>
#include <QStringList>

// The font, made smaller one pixel at a time until every text is at most `width`
// pixels wide (never below 1 pixel).
QFont FontFittingWidth(QFont font, const QStringList& texts, int width);
