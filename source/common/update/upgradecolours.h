#pragma once
// The palette of the firmware upgrade dialogs and their progress widgets.

#include <QColor>

namespace upgradecolours {
const QColor kCaption(188, 188, 188);
const QColor kValue(236, 236, 236);
const QColor kAccent(27, 157, 255);
const QColor kPanel(0x39, 0x39, 0x39);
const QColor kBorder(39, 39, 39);
const QColor kWarningStrip(48, 48, 48);
const QColor kRingStart(72, 207, 213);
const QColor kRingMiddle(63, 158, 255);
const QColor kTrack(92, 92, 92);
} // namespace upgradecolours
