#include "statuspages/wtabpagehdmi.h"

#include <QHBoxLayout>
#include <QMutexLocker>
#include <QVBoxLayout>

#include <utility>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "statuspages/qinfoframewidget.h"
#include "timingeditors/qedidinputwidget.h"
#include "toolkit/pagewrite.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/reportfragment.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wpushbutton.h"

namespace {

// Model codes that decide how the EDID-assist boxes behave.
constexpr quint16 kModelAssist = 516;
constexpr quint16 kModelAssistNoClockLimit = 521;
bool HasNoAssist(quint16 model)
{
    return model == 518 || model == 520 || model == 529;
}
bool HasAssist(quint16 model)
{
    return model == kModelAssist || model == kModelAssistNoClockLimit;
}

constexpr int kVideoLocked = 3;

const char* const kInfoFrameTitles[KVCAP_INFOFRAME_COUNT] = {
    QT_TRANSLATE_NOOP("WTabPageHdmi", "AVI"),   QT_TRANSLATE_NOOP("WTabPageHdmi", "Audio"),
    QT_TRANSLATE_NOOP("WTabPageHdmi", "SPD"),   QT_TRANSLATE_NOOP("WTabPageHdmi", "MS"),
    QT_TRANSLATE_NOOP("WTabPageHdmi", "VS"),    QT_TRANSLATE_NOOP("WTabPageHdmi", "ACP"),
    QT_TRANSLATE_NOOP("WTabPageHdmi", "ISRC1"), QT_TRANSLATE_NOOP("WTabPageHdmi", "ISRC2"),
    QT_TRANSLATE_NOOP("WTabPageHdmi", "Gamut")};

QWrapperCheckBox* CreateBox(const QString& text, int width)
{
    QWrapperCheckBox* box = new QWrapperCheckBox(text, true, QColor(0xA0, 0xA0, 0xA0), QColor(52, 52, 52), 0, nullptr);
    box->setFixedWidth(width);
    return box;
}

} // namespace

WTabPageHdmi::WTabPageHdmi(QWidget* parent)
    : QWidget(parent)
{
    // Each text whole at 14 pixels bold (its unrounded width); the stretch at the row's end takes the rest.
    m_pMasterBox = CreateBox(QString::fromWCharArray(L"Vontresk \u2122 : "), 132);
    m_pKeepLastBox = CreateBox(tr("Keep last"), 83);
    m_pAddAudioBox = CreateBox(tr("Add audio"), 89);
    m_pPixelClockBox = CreateBox(tr("Limited pixel clock"), 146);
    QHBoxLayout* boxRow = new QHBoxLayout;
    boxRow->addWidget(m_pMasterBox);
    boxRow->addSpacing(12);
    boxRow->addWidget(m_pKeepLastBox);
    boxRow->addSpacing(24);
    boxRow->addWidget(m_pAddAudioBox);
    boxRow->addSpacing(24);
    boxRow->addWidget(m_pPixelClockBox);
    boxRow->addStretch(1);
    boxRow->setSpacing(0);
    boxRow->setContentsMargins(8, 0, 10, 8);
    for (int bit = 0; bit < 4; ++bit)
        connect(GetOptionBox(bit), &QWrapperCheckBox::clicked, this, &WTabPageHdmi::OnCheckBoxClicked);

    m_pEDIDStack = new QWrapperStack(this);
    m_pEDIDStack->setFixedHeight(266);
    m_pEDIDInput = new QEDIDInputWidget;
    m_pEDIDLoopThrough = new QEDIDLoopThroughWidget;
    m_pEDIDStack->AddSubWidget(m_pEDIDInput, tr("Capture Device EDID"), true, false);
    m_pEDIDStack->AddSubWidget(m_pEDIDLoopThrough, tr("Loop Through Device EDID"), false, true);
    m_pEDIDStack->SetMainWidget();

    m_pInfoFrameStack = new QWrapperStack(this);
    m_pInfoFrameStack->setFixedHeight(218);
    for (int i = 0; i < KVCAP_INFOFRAME_COUNT; ++i) {
        m_pInfoFrames[i] = new QInfoFrameWidget;
        m_pInfoFrameStack->AddSubWidget(m_pInfoFrames[i], tr(kInfoFrameTitles[i]), i == 0,
                                        i == KVCAP_INFOFRAME_COUNT - 1);
    }
    m_pInfoFrameStack->SetMainWidget();

    connect(m_pEDIDStack, &QWrapperStack::sigIndexChanged, this, &WTabPageHdmi::OnTabPageChanged);
    connect(m_pInfoFrameStack, &QWrapperStack::sigIndexChanged, this, &WTabPageHdmi::OnTabPageChanged);
    connect(this, &WTabPageHdmi::loopThroughChanged, this, &WTabPageHdmi::OnLoopThroughChanged2);
    connect(this, &WTabPageHdmi::hdmiInfoStatusChanged, this, &WTabPageHdmi::OnHDMIInfoStatusChanged2);
    connect(this, &WTabPageHdmi::videoSignalChanged, m_pEDIDInput, &QEDIDInputWidget::videoSignalChanged);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addLayout(boxRow);
    layout->addWidget(m_pEDIDStack);
    layout->addSpacing(16);
    layout->addWidget(m_pInfoFrameStack);
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
    // The device is read by the container's reload, not here.
}

WTabPageHdmi::~WTabPageHdmi()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QWrapperCheckBox* WTabPageHdmi::GetOptionBox(int bit) const
{
    QWrapperCheckBox* const boxes[4] = {m_pMasterBox, m_pKeepLastBox, m_pAddAudioBox, m_pPixelClockBox};
    return bit >= 0 && bit < 4 ? boxes[bit] : nullptr;
}

QInfoFrameWidget* WTabPageHdmi::GetInfoFrameView(int index) const
{
    return index >= 0 && index < KVCAP_INFOFRAME_COUNT ? m_pInfoFrames[index] : nullptr;
}

void WTabPageHdmi::InitPage(unsigned int flags, bool partial)
{
    InitEDIDColorPiece();
    InitInfoFrameColorPiece();
    emit sigPageRefreshed(flags, partial);
}

void WTabPageHdmi::SetOptionBoxes(quint16 model, uint8_t options, bool known)
{
    // SetChecked never emits clicked(), so setting the boxes writes nothing. Options
    // that could not be read show clear boxes that take no click until a reload reads them.
    if (!known) {
        const bool firstMiss = m_optionBoxesBeforeUnread.isEmpty();
        for (int bit = 0; bit < 4; ++bit) {
            QWrapperCheckBox* box = GetOptionBox(bit);
            if (firstMiss)
                m_optionBoxesBeforeUnread.append({box->IsChecked(), box->isEnabledTo(this)});   // its own, not the page's
            ShowUnknownValue(box);
        }
        return;
    }
    const QVector<QPair<bool, bool>> beforeUnread = std::exchange(m_optionBoxesBeforeUnread, {});
    if (HasAssist(model)) {
        const bool on = !(options & KVCAP_EDID_ASSIST_OFF);
        m_pMasterBox->setEnabled(true);
        m_pMasterBox->SetChecked(on);
        for (int bit = 1; bit < 4; ++bit) {
            GetOptionBox(bit)->setEnabled(on);
            GetOptionBox(bit)->SetChecked(options & (1u << bit));
        }
        if (model == kModelAssistNoClockLimit) {
            m_pPixelClockBox->SetChecked(false);
            m_pPixelClockBox->setEnabled(false);
        }
    } else if (HasNoAssist(model)) {
        for (int bit = 0; bit < 4; ++bit) {
            GetOptionBox(bit)->SetChecked(false);
            GetOptionBox(bit)->setEnabled(false);
        }
    } else if (!beforeUnread.isEmpty()) {
        // Other models leave the boxes alone: undo only what the failed read did.
        for (int bit = 0; bit < 4; ++bit) {
            GetOptionBox(bit)->SetChecked(beforeUnread[bit].first);
            GetOptionBox(bit)->setEnabled(beforeUnread[bit].second);
        }
    }
}

void WTabPageHdmi::InitEDIDColorPiece()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    _KVCAP_DEVICE_INFO info;
    const bool infoRead = ReadReport(device, info);
    _KVCAP_EDID_ASSIST_OPTIONS options;
    const bool optionsRead = ReadReport(device, options);
    SetOptionBoxes(info.productId, options.options, infoRead && (optionsRead || !HasAssist(info.productId)));

    _KVCAP_DEVICE_CAPS caps;
    ReadReport(device, caps);
    const bool loopThrough = caps.flags & KVCAP_CAPS_LOOP_THROUGH;
    const int shown = m_pEDIDStack->GetCurrentIndex();
    m_pEDIDStack->Clear();
    m_pEDIDStack->AddSubWidget(m_pEDIDInput, tr("Capture Device EDID"), true, !loopThrough);
    if (loopThrough)
        m_pEDIDStack->AddSubWidget(m_pEDIDLoopThrough, tr("Loop Through Device EDID"), false, true);
    else
        m_pEDIDLoopThrough->hide();
    m_pEDIDInput->InitEDIDInputWidget();
    if (loopThrough)
        m_pEDIDLoopThrough->InitEDIDLoopThroughWidget();
    RebuildFocusList(loopThrough);
    ShowFirstOrKeptInnerTab(m_pEDIDStack, shown);
}

void WTabPageHdmi::RebuildFocusList(bool loopThrough)
{
    ClearTabList();
    AddFocusControl(m_pMasterBox->GetCheckBox(), KEY_GROUP_FIRST);
    AddFocusControl(m_pKeepLastBox->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pAddAudioBox->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pPixelClockBox->GetCheckBox(), KEY_GROUP_LAST);
    AddStackTabButton(m_pEDIDStack, 0);
    for (WPushButton* button : {m_pEDIDInput->GetTimingButton(), m_pEDIDInput->GetDefaultButton(),
                                m_pEDIDInput->GetImportButton(), m_pEDIDInput->GetExportButton()})
        AddFocusControl(button, KEY_GROUP_NONE, m_pEDIDStack, true);
    if (loopThrough) {
        AddStackTabButton(m_pEDIDStack, 1);
        AddFocusControl(m_pEDIDLoopThrough->GetExportButton(), KEY_GROUP_NONE, m_pEDIDStack, true);
    }
    for (int i = 0; i < m_pInfoFrameStack->GetStackCount(); ++i)
        AddStackTabButton(m_pInfoFrameStack, i);
}

quint32 WTabPageHdmi::ReadableInfoFrames(LumivandrexDevice* device)
{
    _KVCAP_VIDEO_STATUS status;
    ReadReport(device, status);
    _KVCAP_INFOFRAME_VALID_MASK valid;
    if (!ReadReport(device, valid) || status.state != kVideoLocked)
        return 0;
    return valid.mask;
}

void WTabPageHdmi::LoadInfoFrames(int first, int count)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // One status and one mask read serve every view of the refresh.
    const quint32 readable = ReadableInfoFrames(device);
    for (int index = first; index < first + count; ++index) {
        QInfoFrameWidget* view = GetInfoFrameView(index);
        if (!view)
            continue;
        _HDMI_INFOFRAME_PACKET packet;
        const bool valid = (readable & (1u << index)) && ReadReport(device, packet, index);
        view->SetInfoFrameValid(valid, valid ? QInfoFrameWidget::PacketTexts(packet) : QStringList());
    }
}

void WTabPageHdmi::InitInfoFrameTabPage(int index)
{
    LoadInfoFrames(index, 1);
}

void WTabPageHdmi::InitInfoFrameColorPiece()
{
    ShowFirstOrKeptInnerTab(m_pInfoFrameStack);
    LoadInfoFrames(0, KVCAP_INFOFRAME_COUNT);
}

void WTabPageHdmi::OnHDMIInfoStatusChanged(quint64 mask)
{
    emit hdmiInfoStatusChanged(mask);
}

void WTabPageHdmi::OnHDMIInfoStatusChanged2(quint64)
{
    LoadInfoFrames(0, KVCAP_INFOFRAME_COUNT);   // the user's tab stays
}

void WTabPageHdmi::OnLoopThroughChanged(quint64 word)
{
    emit loopThroughChanged(word);
}

void WTabPageHdmi::OnLoopThroughChanged2(quint64)
{
    m_pEDIDLoopThrough->InitEDIDLoopThroughWidget();
}

void WTabPageHdmi::OnCheckBoxClicked()
{
    QWrapperCheckBox* box = qobject_cast<QWrapperCheckBox*>(sender());
    int bit = 0;
    while (bit < 4 && GetOptionBox(bit) != box)
        ++bit;
    if (bit == 4)
        return;
    const bool checked = box->IsChecked();
    bool written = false;
    uint8_t before = 0;
    quint16 model = 0;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* device = g_presenter.GetCurrentDevice();
        // Bits 4-7 go back as read; a failed read writes nothing at all.
        written = ModifyReport<_KVCAP_EDID_ASSIST_OPTIONS>(device, [&](_KVCAP_EDID_ASSIST_OPTIONS& r) {
            before = r.options;
            const uint8_t flag = uint8_t(1u << bit);
            if (bit == 0)
                r.options = checked ? (r.options & ~flag) : (r.options | flag);
            else
                r.options = checked ? (r.options | flag) : (r.options & ~flag);
        });
        if (written && bit == 0) {
            _KVCAP_DEVICE_INFO info;
            ReadReport(device, info);
            model = info.productId;
        }
    }
    if (!written) {
        box->SetChecked(!checked);   // the device did not take it: show what it still holds
        return;
    }
    if (bit == 0) {
        for (int option = 1; option < 4; ++option) {
            GetOptionBox(option)->setEnabled(checked);
            if (!checked)
                GetOptionBox(option)->SetChecked(before & (1u << option));
        }
        if (model == kModelAssistNoClockLimit) {
            m_pPixelClockBox->SetChecked(false);
            m_pPixelClockBox->setEnabled(false);
        }
    }
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
}

void WTabPageHdmi::OnTabPageChanged(int index)
{
    QWrapperStack* stack = qobject_cast<QWrapperStack*>(sender());
    if (stack == m_pEDIDStack) {
        if (index == 0)
            m_pEDIDInput->InitEDIDInputWidget();
        else if (index == 1)
            m_pEDIDLoopThrough->InitEDIDLoopThroughWidget();
    } else if (stack == m_pInfoFrameStack) {
        LoadInfoFrames(0, KVCAP_INFOFRAME_COUNT);   // only a full load selects the first tab
    }
}

void WTabPageHdmi::OnVideoChanged(bool present)
{
    // Only a change reloads: the Input page tells its state on every refresh, and the
    // tab container reloads this page itself during a full reload.
    const bool becamePresent = present && !m_bVideoSignal;
    m_bVideoSignal = present;
    KEY_PROPERTY* current = GetCurProperty();
    const bool hadFocus = current && current->pWidget && current->pWidget->hasFocus();
    setEnabled(present);
    if (becamePresent)
        InitPage(0, false);
    else if (hadFocus)
        emit signal_resetFocus();
}

QString WTabPageHdmi::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* device = instance->device;
    _KVCAP_DEVICE_INFO info;
    ReadReport(device, info);

    QString html = reportfragment::BlockBegin(tr("HDMI"));
    html += reportfragment::SubTitleRow(QStringLiteral("HDMI - EDID")) + QStringLiteral("\r\n");
    html += m_pEDIDInput->ExportInfo();
    if (HasAssist(info.productId))
        html += m_pEDIDLoopThrough->ExportInfo();
    html += reportfragment::SubTitleRow(tr("HDMI - INFO FRAME")) + QStringLiteral("\r\n");
    const quint32 readable = ReadableInfoFrames(device);
    for (int i = 0; i < KVCAP_INFOFRAME_COUNT; ++i) {
        const QString label = GetInfoFrameName(i) + QLatin1Char(':');
        _HDMI_INFOFRAME_PACKET packet;
        // A packet that could not be read is unknown, not an all-zero frame. Every line of
        // a value ends with its "<br>", the last one too.
        if ((readable & (1u << i)) && ReadReport(device, packet, i))
            html += reportfragment::RowLines(label, QInfoFrameWidget::PacketReportLines(packet) << QString());
        else
            html += reportfragment::Row(label, QStringLiteral("N/A"));
    }
    return html + reportfragment::BlockEnd();
}
