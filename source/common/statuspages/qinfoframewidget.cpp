#include "statuspages/qinfoframewidget.h"

#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "toolkit/stylesheetbuilder.h"

QString GetInfoFrameName(int index)
{
    static const char* const names[KVCAP_INFOFRAME_COUNT] = {"AVI", "Audio", "SPD", "MS", "VS",
                                                              "ACP", "ISRC1", "ISRC2", "Gamut"};
    if (index < 0 || index >= KVCAP_INFOFRAME_COUNT)
        return QString();
    return QString::fromLatin1(names[index]);
}

int InfoFramePayloadLength(const _HDMI_INFOFRAME_PACKET& packet)
{
    return qMin(packet.length & 0x1F, KVCAP_INFOFRAME_PAYLOAD);
}

bool InfoFrameChecksumOk(const _HDMI_INFOFRAME_PACKET& packet)
{
    const int length = packet.length & 0x1F;
    if (length > KVCAP_INFOFRAME_PAYLOAD)
        return false;   // names bytes the packet does not hold
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&packet);
    unsigned sum = 0;
    for (int i = 0; i < 4 + length; ++i)
        sum += bytes[i];
    return sum % 256 == 0;
}

QString GetInfoFrameString(const _HDMI_INFOFRAME_PACKET& packet, bool html)
{
    const int n = InfoFramePayloadLength(packet);
    const QLatin1String lineEnd(html ? "<br>" : "\r\n");
    QString text;
    for (int k = 0; k < n; k += 8) {
        text += QStringLiteral("  Data  %1 :   ").arg(QStringLiteral("%1").arg(k, 2, 16, QLatin1Char('0')).toUpper());
        for (int i = k; i < k + 8 && i < n; ++i) {
            text += QStringLiteral("%1").arg(packet.payload[i], 2, 16, QLatin1Char('0')).toUpper();
            if (i - k != 7)
                text += QLatin1Char(' ');
        }
        text += lineEnd;
    }
    return text;
}

QInfoFrameWidget::QInfoFrameWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pTextEdit = new QTextEdit(this);
    m_pTextEdit->setFocusPolicy(Qt::NoFocus);
    m_pTextEdit->setReadOnly(true);
    m_pTextEdit->setPlainText(tr("  N/A"));
    QFont font = m_pTextEdit->font();
    font.setPixelSize(15);
    font.setFamily(QStringLiteral("Courier New"));
    m_pTextEdit->setFont(font);
    m_pTextEdit->setStyleSheet(QStringLiteral(
        "QTextEdit{background:#2B2B2B; color:rgb(236,236,236); border:0px solid rgb(80,80,80);"
        " border-radius:0px; padding-left:12px;}"
        "QTextEdit:disabled{color:rgb(131,131,131);}"));
    setScrollBarStyle(m_pTextEdit->verticalScrollBar());

    // The view reaches down to the panel's bottom edge: the longest packet (eight
    // lines, one of them in a taller CJK font when translated) fits without scrolling.
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTextEdit);
    layout->setContentsMargins(0, 0, 0, 2);
}

void QInfoFrameWidget::SetInfoFrameValid(bool valid, const QStringList& texts)
{
    if (!valid || texts.size() < 5) {
        m_pTextEdit->setPlainText(tr("  N/A"));
        return;
    }
    QString text = QStringLiteral("  Type     :   ") + texts[0] + QStringLiteral("\n  Version  :   ") + texts[1]
        + QStringLiteral("\n  Length   :   ") + texts[2] + QStringLiteral("\n  Checksum :   ") + texts[3]
        + QStringLiteral("\n") + texts[4];
    // The dump ends every line, the last one too: shown, that end is an empty line
    // that takes a line of the view's height.
    text.remove(QLatin1Char('\r'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_pTextEdit->setPlainText(text);
}

QString QInfoFrameWidget::GetText() const
{
    return m_pTextEdit->toPlainText();
}

namespace {
QString Hex2(uint8_t value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}
} // namespace

QStringList QInfoFrameWidget::PacketTexts(const _HDMI_INFOFRAME_PACKET& packet)
{
    return {QStringLiteral("0x") + Hex2(packet.type), QStringLiteral("0x") + Hex2(packet.version),
            QStringLiteral("%1 Bytes").arg(packet.length & 0x1F),
            QStringLiteral("0x") + Hex2(packet.checksum) + (InfoFrameChecksumOk(packet) ? tr(" (OK)") : QString()),
            GetInfoFrameString(packet, false)};
}

QStringList QInfoFrameWidget::PacketReportLines(const _HDMI_INFOFRAME_PACKET& packet)
{
    const QStringList texts = PacketTexts(packet);
    QStringList lines{QStringLiteral("Type     : ") + texts[0] + QLatin1Char(' '),
                      QStringLiteral("Version  : ") + texts[1] + QLatin1Char(' '),
                      QStringLiteral("Length   : ") + texts[2] + QLatin1Char(' '),
                      QStringLiteral("Checksum : ") + texts[3] + QLatin1Char(' ')};
    lines += texts[4].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    return lines;
}
