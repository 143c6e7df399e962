#include "settingspages/wtabpageadvanced.h"

#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/fourcctext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/formatlists.h"
#include "formateditors/qcolorspacewidget.h"
#include "formateditors/qframeratewidget.h"
#include "formateditors/qimagesizewidget.h"
#include "toolkit/pagewrite.h"
#include "toolkit/qtablewid.h"
#include "toolkit/reportfragment.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpushbutton.h"

namespace {
constexpr int kSizesPerReportLine = 5;
}

WTabPageAdvanced::WTabPageAdvanced(QWidget* parent)
    : QWidget(parent)
{
    QLabel* icon = new QLabel(this);
    icon->setFixedSize(16, 16);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap(QStringLiteral(":/Widget/msg_warning")));
    icon->setStyleSheet(QStringLiteral("QLabel{\t\t\tbackground: transparent;\t\t}"));
    QLabel* warning = new QLabel(tr("For non-specialist users, please set these options carefully."), this);
    warning->setStyleSheet(QStringLiteral("QLabel{\t\t\tcolor: ") + QColor(236, 236, 236).name()
                           + QStringLiteral(";\t\t\tpadding-left: 6px;\t\t\t\t\t}"));
    // At a large font the line takes a smaller font rather than widening the page.
    warning->setMinimumWidth(1);
    QHBoxLayout* warningLine = new QHBoxLayout;
    warningLine->setContentsMargins(0, 0, 0, 0);
    warningLine->setSpacing(0);
    warningLine->addWidget(icon);
    warningLine->addWidget(warning, 1);

    m_pStack = new QWrapperStack(this);
    m_pStack->setFixedHeight(400);
    m_pColorSpace = new QColorSpaceWidget;
    m_pFrameRate = new QFrameRateWidget;
    m_pImageSize = new QImageSizeWidget;
    m_pStack->AddSubWidget(m_pColorSpace, tr("Color Format"), true, false);
    m_pStack->AddSubWidget(m_pFrameRate, tr("Frame Rate"), false, false);
    m_pStack->AddSubWidget(m_pImageSize, tr("Resolution"), false, true);
    m_pStack->SetMainWidget();

    m_pNameCombo = CreateCombo({tr("Model name"), tr("Serial number")});
    m_pImageCombo = CreateCombo({tr("Default"), tr("Blue"), tr("Black")});
    QGridLayout* grid = new QGridLayout;
    grid->setSpacing(12);
    // The labels are aligned right: the room at their left is theirs, so that they take
    // the chosen font up to 14 pixels bold.
    grid->setContentsMargins(0, 0, 12, 0);
    grid->setColumnStretch(1, 1);
    const QString names[2] = {tr("Device name : "), tr("Status image : ")};
    WComboBox* combos[2] = {m_pNameCombo, m_pImageCombo};
    for (int row = 0; row < 2; ++row) {
        QLabel* label = new QLabel(names[row], this);
        label->setFixedHeight(24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(1);   // likewise beside the fixed combos
        setLabelStyle(label, QColor("#A0A0A0"), QColor(52, 52, 52), QColor(39, 39, 39));
        grid->addWidget(label, row, 0);
        grid->addWidget(combos[row], row, 1);
    }

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(0);
    layout->addLayout(warningLine);
    layout->addSpacing(12);
    layout->addWidget(m_pStack);
    layout->addSpacing(20);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_pStack, &QWrapperStack::sigIndexChanged, this, &WTabPageAdvanced::OnTabPageChanged);
    for (WComboBox* combo : combos)
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &WTabPageAdvanced::OnComboBoxIndexChanged);
    BuildFocusList();
    // The device is read by the container's reload, not here.
}

WTabPageAdvanced::~WTabPageAdvanced()
{
    ClearTabList();
}

WComboBox* WTabPageAdvanced::CreateCombo(const QStringList& items)
{
    WComboBox* combo = new WComboBox(this);
    combo->setFixedSize(408, 24);
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setView(new QListView(combo));
    combo->addItems(items);
    setComboBoxStyle(combo);
    return combo;
}

void WTabPageAdvanced::BuildFocusList()
{
    ClearTabList();
    AddStackTabButton(m_pStack, 0);
    AddFocusControl(m_pColorSpace->GetLeftTable(), KEY_GROUP_NONE, m_pStack, true);
    AddFocusControl(m_pColorSpace->GetButton(QStringLiteral("btn_move_left")), KEY_GROUP_FIRST, m_pStack, true);
    AddFocusControl(m_pColorSpace->GetButton(QStringLiteral("btn_move_right")), KEY_GROUP_MIDDLE, m_pStack, true);
    AddFocusControl(m_pColorSpace->GetButton(QStringLiteral("btn_move_up")), KEY_GROUP_MIDDLE, m_pStack, true);
    AddFocusControl(m_pColorSpace->GetButton(QStringLiteral("btn_move_down")), KEY_GROUP_LAST, m_pStack, true);
    AddFocusControl(m_pColorSpace->GetRightTable(), KEY_GROUP_NONE, m_pStack, true);
    QTwoListEditor* editors[2] = {m_pFrameRate, m_pImageSize};
    for (int i = 0; i < 2; ++i) {
        AddStackTabButton(m_pStack, i + 1);
        AddFocusControl(editors[i]->GetLeftTable(), KEY_GROUP_NONE, m_pStack, true);
        AddFocusControl(editors[i]->GetApplyButton(), KEY_GROUP_FIRST, m_pStack, true);
        AddFocusControl(editors[i]->GetRemoveButton(), KEY_GROUP_LAST, m_pStack, true);
        AddFocusControl(editors[i]->GetRightTable(), KEY_GROUP_NONE, m_pStack, true);
        AddFocusControl(editors[i]->GetCustomButton(), KEY_GROUP_NONE, m_pStack, true);
    }
    AddFocusControl(m_pNameCombo);
    AddFocusControl(m_pImageCombo);
}

void WTabPageAdvanced::InitFormatSetsColorPiece(bool keep)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    // Both the colour formats and the image sizes depend on the capabilities: read once
    // (an editor tries again itself when this read failed).
    _KVCAP_DEVICE_CAPS caps;
    const bool capsRead = ReadReport(device, caps);
    m_pColorSpace->InitColorSpaceWidget(true, keep, true, capsRead ? &caps : nullptr);
    m_pFrameRate->InitFrameRateWidget(true, keep);
    m_pImageSize->InitImageSizeWidget(true, keep, capsRead ? &caps : nullptr);
    ShowFirstOrKeptInnerTab(m_pStack);
}

void WTabPageAdvanced::InitPage(unsigned int flags, bool keep)
{
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        setEnabled(g_presenter.GetCurrentDevice() != nullptr);
        InitFormatSetsColorPiece(keep);
        InitNameAndImgColorPiece();
    }
    emit sigPageRefreshed(flags, keep);
}

void WTabPageAdvanced::InitNameAndImgColorPiece()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // A box whose report could not be read shows nothing and takes no change until a
    // refresh reads it.
    auto show = [](WComboBox* combo, bool read, int item) {
        if (!read)
            return ShowUnknownValue(combo);
        ShowDeviceValue(combo, item);
        combo->setEnabled(true);
    };
    _KVCAP_DEVICE_NAME_MODE name;
    const bool nameRead = ReadReport(device, name);
    show(m_pNameCombo, nameRead, name.mode == KVCAP_NAME_MODE_SERIAL ? 1 : 0);
    _KVCAP_STATUS_IMAGE image;
    const bool imageRead = ReadReport(device, image);
    show(m_pImageCombo, imageRead, image.image <= KVCAP_STATUS_IMAGE_BLACK ? image.image : 0);
}

void WTabPageAdvanced::OnTabPageChanged(int index)
{
    if (index == 0)
        m_pColorSpace->InitColorSpaceWidget(false, false, true);
    else if (index == 1)
        m_pFrameRate->InitFrameRateWidget(false, false);
    else if (index == 2)
        m_pImageSize->InitImageSizeWidget(false, false);
}

void WTabPageAdvanced::OnComboBoxIndexChanged(int index)
{
    QComboBox* combo = qobject_cast<QComboBox*>(sender());
    if (combo != m_pNameCombo && combo != m_pImageCombo)
        return;
    // The host keeps the name it saw until it restarts.
    const _UI_CHANGE_TYPE type = combo == m_pNameCombo ? UI_CHANGE_REBOOT : UI_CHANGE_RECONNECT;
    WriteControlChange(combo, [&](LumivandrexDevice* device) {
        if (combo == m_pNameCombo)
            return WriteReport(device, _KVCAP_DEVICE_NAME_MODE{uint8_t(index == 1 ? 1 : 0)});
        return WriteReport(device, _KVCAP_STATUS_IMAGE{uint8_t(index == 1 || index == 2 ? index : 0)});
    }, type);
}

QString WTabPageAdvanced::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* device = instance->device;

    _KVCAP_COLOR_FORMAT_LIST colors;
    ReadReport(device, colors);
    QStringList formats;
    for (int i = 0; i < formatlists::Count(colors); ++i)
        formats << FourCCReportName(colors.fourcc[i]);

    const QString defaultMark = tr(" (default)");
    _KVCAP_FRAME_INTERVAL_LIST intervals;
    ReadReport(device, intervals);
    QStringList rates;
    for (int i = 0; i < formatlists::Count(intervals); ++i)
        rates << FrameRateText(intervals.durations[i]) + (i == formatlists::DefaultIndex(intervals) ? defaultMark : QString());

    // Five sizes to a line.
    _KVCAP_FRAME_SIZE_LIST sizes;
    ReadReport(device, sizes);
    const int sizeCount = formatlists::Count(sizes);
    QStringList sizeLines;
    for (int first = 0; first < sizeCount; first += kSizesPerReportLine) {
        QStringList line;
        for (int i = first; i < qMin(first + kSizesPerReportLine, sizeCount); ++i)
            line << QStringLiteral("%1 x %2").arg(sizes.sizes[i].cx).arg(sizes.sizes[i].cy)
                        + (i == formatlists::DefaultIndex(sizes) ? defaultMark : QString());
        sizeLines << line.join(QStringLiteral(", ")) + (first + kSizesPerReportLine < sizeCount ? QStringLiteral(", ") : QString());
    }

    // A name mode or image that could not be read is unknown: an empty value.
    _KVCAP_DEVICE_NAME_MODE name;
    const bool nameRead = ReadReport(device, name);
    _KVCAP_STATUS_IMAGE image;
    const bool imageRead = ReadReport(device, image);
    const QString images[3] = {tr("Default"), tr("Blue"), tr("Black")};
    const QString nameText = name.mode == KVCAP_NAME_MODE_MODEL ? tr("Model name") : tr("Serial number");
    const QString imageText = images[image.image <= KVCAP_STATUS_IMAGE_BLACK ? image.image : 0];

    return reportfragment::BlockBegin(tr("Advanced")) + reportfragment::Row(tr("Color format:"), formats.join(QStringLiteral(", ")))
        + reportfragment::Row(tr("Frame rate:"), rates.join(QStringLiteral(", ")))
        + reportfragment::RowLines(tr("Resolution:"), sizeLines)
        + reportfragment::Row(tr("Device name:"), nameRead ? nameText : QString())
        + reportfragment::Row(tr("Status image:"), imageRead ? imageText : QString())
        + reportfragment::BlockEnd();
}
