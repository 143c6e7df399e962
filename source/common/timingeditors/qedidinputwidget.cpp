#include "timingeditors/qedidinputwidget.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMutexLocker>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextEdit>
#include <QVBoxLayout>

#include "device/devicetext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "timingeditors/edidfile.h"
#include "timingeditors/ediddata.h"
#include "timingeditors/qcustomtimingdialog.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/reportfragment.h"
#include "toolkit/savefilename.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

namespace {

const QString kBinFilter = QStringLiteral("Bin Files(*.bin)");

QTextEdit* CreateEDIDTextView(QWidget* parent)
{
    QTextEdit* view = new QTextEdit(parent);
    view->setReadOnly(true);
    view->setFocusPolicy(Qt::NoFocus);
    view->setPlainText(QStringLiteral("N/A"));
    QFont font = view->font();
    font.setFamily(QStringLiteral("Courier New"));
    font.setPixelSize(15);
    view->setFont(font);
    view->setStyleSheet(QStringLiteral("QTextEdit{background:rgb(52,52,52); color:rgb(236,236,236);"
                                       " border:0px solid #1E1E1E; border-radius:4px; padding-left:8px;}"
                                       "QTextEdit:disabled{color:rgb(131,131,131);}"));
    view->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    setScrollBarStyle(view->verticalScrollBar());
    return view;
}

WPushButton* CreatePaneButton(const QString& text, QWidget* parent)
{
    WPushButton* button = new WPushButton(text, parent);
    button->setObjectName(QStringLiteral("btn_pane"));
    button->setFixedSize(76, 24);
    return button;
}

// The Documents folder plus "<model> (<serial>).bin" of the current device.
QString DefaultExportPath()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance)
        return documents;
    return documents + QLatin1Char('/')
           + edidfile::DefaultFileName(DeviceText(instance->deviceInfo.productName),
                                       DeviceText(instance->deviceInfo.serialNumber));
}

// Reads EDID `index` from the device, and only then writes the file. A short answer
// is no EDID: its zeros would go back to a device on the next import.
bool ExportDeviceEDID(int index, const QString& path)
{
    _KVCAP_EDID_DATA data;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (!ReadWholeReport(g_presenter.GetCurrentDevice(), data, index))
            return false;
    }
    return edidfile::SaveEDIDFile(path, data);
}

void ShowFailure(const QString& text, QWidget* parent)
{
    QWrapperMsgBox::Ask(MSG_TYPE_WARNING, text, QEDIDInputWidget::tr("OK"), QString(), 420, 240, parent);
}

void AskAndExport(QWidget* owner, int index, const QString& failure)
{
    const QString path = AskSaveFileName(owner, QEDIDInputWidget::tr("Export"), DefaultExportPath(), kBinFilter);
    if (path.isEmpty())
        return;
    if (!ExportDeviceEDID(index, path))
        ShowFailure(failure, owner);
}

QVBoxLayout* ViewLayout(QWidget* owner, QTextEdit* view, QLayout* buttons)
{
    QVBoxLayout* layout = new QVBoxLayout(owner);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    layout->setSpacing(20);
    layout->setContentsMargins(0, 0, 0, 24);
    return layout;
}

} // namespace

QEDIDInputWidget::QEDIDInputWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pTextEdit = CreateEDIDTextView(this);
    m_pTimingBtn = CreatePaneButton(tr("Timing..."), this);
    m_pDefaultBtn = CreatePaneButton(tr("Default"), this);
    m_pImportBtn = CreatePaneButton(tr("Import..."), this);
    m_pExportBtn = CreatePaneButton(tr("Export..."), this);
    connect(m_pTimingBtn, &QPushButton::clicked, this, &QEDIDInputWidget::OnEDIDTiming);
    connect(m_pDefaultBtn, &QPushButton::clicked, this, &QEDIDInputWidget::OnEDIDDefault);
    connect(m_pImportBtn, &QPushButton::clicked, this, &QEDIDInputWidget::OnEDIDImport);
    connect(m_pExportBtn, &QPushButton::clicked, this, &QEDIDInputWidget::OnEDIDExport);

    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addWidget(m_pTimingBtn);
    buttons->addStretch(1);
    buttons->addWidget(m_pDefaultBtn);
    buttons->addWidget(m_pImportBtn);
    buttons->addWidget(m_pExportBtn);
    buttons->setSpacing(12);
    buttons->setContentsMargins(0, 0, 0, 0);
    ViewLayout(this, m_pTextEdit, buttons);
}

QEDIDInputWidget::~QEDIDInputWidget() = default;

void QEDIDInputWidget::InitEDIDInputWidget()
{
    SetEDIDText();
}

void QEDIDInputWidget::SetEDIDText()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    _KVCAP_EDID_DATA data;
    const bool read = ReadReport(device, data, KvEdidCapture);
    m_pTextEdit->clear();
    if (read)   // an EDID that could not be read is unknown, not 256 zero bytes
        m_pTextEdit->setPlainText(edid::TextDump(data.data));
}

QString QEDIDInputWidget::GetText() const
{
    return m_pTextEdit->toPlainText();
}

void QEDIDInputWidget::OnEDIDTiming()
{
    QCustomTimingDialog* dialog = new QCustomTimingDialog(this);
    if (!dialog->IsEDIDRead()) {
        // Editing a copy that is not the device's EDID would send garbage back.
        delete dialog;
        ShowFailure(tr("Read EDID failed!"), this);
        return;
    }
    connect(this, &QEDIDInputWidget::videoSignalChanged, dialog, &QCustomTimingDialog::OnVideoSignalChanged);
    const int result = dialog->exec();
    bool written = false;
    if (result == QDialog::Accepted) {
        _KVCAP_EDID_DATA data;
        std::copy(dialog->GetEDID(), dialog->GetEDID() + edid::kEdidSize, data.data);
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
            written = WriteReport(device, data, KvEdidCapture);
            SetEDIDText();
        }
    }
    delete dialog;
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
}

void QEDIDInputWidget::OnEDIDDefault()
{
    bool written = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* device = g_presenter.GetCurrentDevice();
        if (!device)
            return;
        _KVCAP_EDID_DATA zeros = {};
        written = WriteReport(device, zeros, KvEdidCapture);
    }
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    SetEDIDText();
}

bool QEDIDInputWidget::ImportEDIDFile(const QString& path)
{
    _KVCAP_EDID_DATA data;
    if (!edidfile::LoadEDIDFile(path, data))
        return false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (!WriteReport(g_presenter.GetCurrentDevice(), data, KvEdidCapture))
            return false;
    }
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    SetEDIDText();
    return true;
}

void QEDIDInputWidget::OnEDIDImport()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), kBinFilter);
    if (path.isEmpty())
        return;
    if (!ImportEDIDFile(path))
        ShowFailure(tr("Read EDID file failed!"), this);
}

bool QEDIDInputWidget::ExportEDIDFile(const QString& path)
{
    return ExportDeviceEDID(KvEdidCapture, path);
}

void QEDIDInputWidget::OnEDIDExport()
{
    AskAndExport(this, KvEdidCapture, tr("Export EDID file failed!"));
}

QString QEDIDInputWidget::ExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return QString();
    _KVCAP_EDID_ASSIST_OPTIONS options;
    _KVCAP_DEVICE_INFO info;
    _KVCAP_EDID_DATA data;
    const bool optionsRead = ReadReport(device, options);
    const bool infoRead = ReadReport(device, info);
    const bool dataRead = ReadReport(device, data, KvEdidCapture);

    // Only the models with EDID assist report its options; elsewhere it counts as off.
    // Options that could not be read, or of a model that could not be read, are unknown.
    const bool assist = info.productId == 516 || info.productId == 521;
    const bool known = infoRead && (!assist || optionsRead);
    const uint8_t bits = assist ? options.options : KVCAP_EDID_ASSIST_OFF;
    const bool off = bits & KVCAP_EDID_ASSIST_OFF;
    auto state = [this, off, known](bool on) {
        return !known ? QString() : !off && on ? tr("Enable") : tr("Disable");
    };
    const QString edidLabel = tr("Capture device EDID:");
    using reportfragment::Row;
    return Row(tr("Vontresk:"), state(true)) + Row(tr("Keep last:"), state(bits & KVCAP_EDID_ASSIST_KEEP_LAST))
           + Row(tr("Add audio:"), state(bits & KVCAP_EDID_ASSIST_ADD_AUDIO))
           + Row(tr("Limited pixel clock:"), state(bits & KVCAP_EDID_ASSIST_LIMIT_CLOCK))
           + (dataRead ? reportfragment::HexRowLines(edidLabel, edid::ReportDumpLines(data.data))
                       : reportfragment::HexRow(edidLabel, QString()));
}

QEDIDLoopThroughWidget::QEDIDLoopThroughWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pTextEdit = CreateEDIDTextView(this);
    m_pExportBtn = CreatePaneButton(QEDIDInputWidget::tr("Export..."), this);
    connect(m_pExportBtn, &QPushButton::clicked, this, &QEDIDLoopThroughWidget::OnEDIDExport);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pExportBtn);
    buttons->setContentsMargins(0, 0, 0, 0);
    ViewLayout(this, m_pTextEdit, buttons);
}

QEDIDLoopThroughWidget::~QEDIDLoopThroughWidget() = default;

void QEDIDLoopThroughWidget::InitEDIDLoopThroughWidget()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // "N/A" when the device says it holds no sink EDID; empty when that or the EDID
    // could not be read.
    _KVCAP_LOOP_THROUGH_EDID_VALID valid;
    _KVCAP_EDID_DATA data;
    const bool validRead = ReadReport(device, valid);
    const bool dataRead = valid.valid && ReadReport(device, data, KvEdidLoopThrough);
    m_pTextEdit->setPlainText(dataRead ? edid::TextDump(data.data) : validRead && !valid.valid ? QStringLiteral("N/A")
                                                                                                 : QString());
    m_pExportBtn->SetEnabled(dataRead);
}

QString QEDIDLoopThroughWidget::GetText() const
{
    return m_pTextEdit->toPlainText();
}

bool QEDIDLoopThroughWidget::ExportEDIDFile(const QString& path)
{
    return ExportDeviceEDID(KvEdidLoopThrough, path);
}

void QEDIDLoopThroughWidget::OnEDIDExport()
{
    AskAndExport(this, KvEdidLoopThrough, QEDIDInputWidget::tr("Export EDID file failed!"));
}

QString QEDIDLoopThroughWidget::ExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return QString();
    const QString title = tr("Loop through device EDID:");
    _KVCAP_LOOP_THROUGH_EDID_VALID valid;
    if (!ReadReport(device, valid))
        return reportfragment::Row(title, QString());
    if (!valid.valid)
        return reportfragment::Row(title, QStringLiteral("N/A"));
    _KVCAP_EDID_DATA data;
    if (!ReadReport(device, data, KvEdidLoopThrough))
        return reportfragment::HexRow(title, QString());
    return reportfragment::HexRowLines(title, edid::ReportDumpLines(data.data));
}
