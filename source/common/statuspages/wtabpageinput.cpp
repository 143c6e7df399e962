#include "statuspages/wtabpageinput.h"

#include <QLabel>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"

namespace {
constexpr unsigned char kInputStatusReport = 0x10;

// The input type of report 0x10, or 0 when the device has no valid status.
// Presenter lock held by the caller.
quint32 ReadInputType()
{
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return 0;
    _KVCAP_INPUT_STATUS status{};
    if (!HidGetReport(instance->device, kInputStatusReport, reinterpret_cast<unsigned char*>(&status),
                      int(sizeof(status))))
        return 0;
    return status.valid ? status.inputType : 0;
}
} // namespace

WTabPageInput::WTabPageInput(QWidget* parent)
    : QWidget(parent)
{
    m_pInputLabel = new QLabel(this);
    m_pInputLabel->setStyleSheet(QStringLiteral("QLabel{color: #9DA1A6; background: transparent;}"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pInputLabel);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
    connect(this, &WTabPageInput::inputStatusChanged, this, &WTabPageInput::OnInputStatusChanged2);
}

WTabPageInput::~WTabPageInput()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QString WTabPageInput::InputTypeName(quint32 type)
{
    switch (type) {
    case 1: return QStringLiteral("HDMI");
    case 2: return QStringLiteral("VGA");
    case 4: return QStringLiteral("SDI");
    case 8: return tr("Component");
    case 16: return tr("Composite");
    case 32: return QStringLiteral("Y/C");
    default: return QString();
    }
}

void WTabPageInput::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (!g_presenter.GetCurrentDevice()) {
        m_pInputLabel->setText(QString());
    } else {
        const QString name = InputTypeName(ReadInputType());
        m_pInputLabel->setText(tr("Video input: %1").arg(name.isEmpty() ? QStringLiteral("N/A") : name));
    }
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageInput::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    const QString name = InputTypeName(ReadInputType());
    return reportfragment::BlockBegin(tr("Input"))
        + reportfragment::Row(tr("Video input:"), name.isEmpty() ? QStringLiteral("N/A") : name)
        + reportfragment::BlockEnd();
}

void WTabPageInput::OnInputStatusChanged(quint64 mask)
{
    emit inputStatusChanged(mask);
}

void WTabPageInput::OnInputSourceChanged(quint64 mask)
{
    emit inputStatusChanged(mask);
}

void WTabPageInput::OnInputStatusChanged2(quint64 mask)
{
    Q_UNUSED(mask)
    InitPage(0, false);
}
