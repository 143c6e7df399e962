#pragma once
// One HDMI info frame: its name, its text forms (header summary and payload dump) and
// the read-only view the HDMI page shows per kind.

#include <QStringList>
#include <QWidget>

#include "device/kvcaprecords.h"

class QTextEdit;

// "AVI", "Audio", "SPD", "MS", "VS", "ACP", "ISRC1", "ISRC2", "Gamut"; empty outside 0..8.
QString GetInfoFrameName(int index);

// Payload bytes in use: bits 0-4 of the length byte, cut to what the packet holds.
int InfoFramePayloadLength(const _HDMI_INFOFRAME_PACKET& packet);
// Whole: the length fits the packet and bytes 0..3+length add up to 0 modulo 256.
bool InfoFrameChecksumOk(const _HDMI_INFOFRAME_PACKET& packet);

// Hex dump of the payload, eight bytes a line ("  Data  08 :   hh hh ..."), lines ended
// by "<br>" (html) or CR LF; empty for a packet without payload.
QString GetInfoFrameString(const _HDMI_INFOFRAME_PACKET& packet, bool html);

class QInfoFrameWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QInfoFrameWidget(QWidget* parent = nullptr);

    // valid: shows the five texts of PacketTexts, one line each (the dump without its
    // last line end); otherwise "  N/A".
    void SetInfoFrameValid(bool valid, const QStringList& texts);
    QString GetText() const;

    // Type, version, length, checksum (with " (OK)" when whole) and the CR LF dump.
    static QStringList PacketTexts(const _HDMI_INFOFRAME_PACKET& packet);
    // The same as the lines of one report value ("Type     : 0x.. ", ..., the dump lines).
    static QStringList PacketReportLines(const _HDMI_INFOFRAME_PACKET& packet);

private:
    QTextEdit* m_pTextEdit;
};
