#include "settingspages/wtabpagevideo.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/fourcctext.h"
#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "toolkit/pagewrite.h"
#include "toolkit/qcolorpiecewidget.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wcombobox.h"

namespace {

constexpr quint64 kReloadSourceBits = 0x24;
constexpr int kMinCrop = 128;             // narrowest and lowest crop the device accepts
constexpr int kRangeWithoutCaps = 4096;   // no device value past it is offered, whatever it holds

// Combo items of the device's codes (one rule for every combo of the page).
int ColorItem(uint32_t code) { return (code >= 2 && code <= 4) ? int(code) - 1 : 0; }
int QuantItem(uint32_t code) { return code == 2 ? 1 : 0; }
int SatItem(uint32_t code) { return code == 3 ? 2 : code == 2 ? 1 : 0; }

QStringList ColorItems() { return {"RGB", "YUV BT. 601", "YUV BT. 709", "YUV BT. 2020"}; }

} // namespace

// ---- construction --------------------------------------------------------------------

QWrapperCheckBox* WTabPageVideo::createCheckBox(const QString& text, bool effect, const QString& name)
{
    auto* box = new QWrapperCheckBox(text, effect, QColor(effect ? "#9DA1A6" : "#A0A0A0"), QColor("#2B2B2B"), 0, this);
    if (effect)
        box->setFixedHeight(24);
    else
        box->setFixedSize(136, 24);
    box->setObjectName(name);
    connect(box, &QWrapperCheckBox::clicked, this, &WTabPageVideo::OnCheckBoxClicked);
    return box;
}

QWrapperSpinBox* WTabPageVideo::createVideoSpinBox(int min, int max, int value, const QString& name)
{
    auto* spin = new QWrapperSpinBox(this);
    spin->setRange(min, max);
    spin->setValue(value);
    spin->setObjectName(name);
    setSpinBoxStyle(spin);
    connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, &WTabPageVideo::OnSpinBoxValueChanged);
    connect(spin, &QWrapperSpinBox::sigSpinMousePress, this, &WTabPageVideo::OnSpinMousePress);
    connect(spin, &QWrapperSpinBox::sigSpinMouseRelease, this, &WTabPageVideo::OnSpinMouseRelease);
    return spin;
}

WComboBox* WTabPageVideo::createVideoComboBox(const QStringList& items, int index, const QString& name)
{
    auto* combo = new WComboBox(this);
    combo->setFixedSize(356, 24);
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setView(new QListView(combo));
    combo->addItems(items);
    combo->setCurrentIndex(index);
    combo->setObjectName(name);
    setComboBoxStyle(combo);
    connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &WTabPageVideo::OnComboBoxIndexChanged);
    return combo;
}

QLabel* WTabPageVideo::createLabel(const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, this);
    label->setFixedHeight(24);
    label->setAlignment(alignment);
    setLabelStyle(label, QColor("#A0A0A0"), QColor("#2B2B2B"), QColor(39, 39, 39));
    return label;
}

QLabel* WTabPageVideo::createVideoLabel(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setFixedSize(136, 24);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setLabelStyle(label, QColor("#9DA1A6"), QColor("#2B2B2B"), QColor(39, 39, 39));
    return label;
}

namespace {

// Editors of one row side by side, with separators between them.
QHBoxLayout* SpinRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch(1);
    return row;
}

QGridLayout* PanelGrid(int vMargin)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setContentsMargins(10, vMargin, 10, vMargin);
    return grid;
}

} // namespace

void WTabPageVideo::addAspectRow(QGridLayout* grid, int line, Row row, QWrapperSpinBox* (&spins)[2], const QString& name)
{
    m_pBox[row] = createCheckBox(tr("Aspect ratio : "), false, name + "Box");
    spins[0] = createVideoSpinBox(1, 2048, 16, name + "X");
    spins[1] = createVideoSpinBox(1, 2048, 9, name + "Y");
    for (QWrapperSpinBox* spin : spins)
        spin->setFixedSize(100, 24);
    QLabel* colon = createLabel(tr(":"), Qt::AlignCenter);
    colon->setFixedWidth(20);
    grid->addWidget(m_pBox[row], line, 0);
    grid->addLayout(SpinRow({spins[0], colon, spins[1]}), line, 1);
}

QWidget* WTabPageVideo::buildInputPanel()
{
    QGridLayout* grid = PanelGrid(16);
    addAspectRow(grid, 0, InAspect, m_pInAspect, QStringLiteral("inputAspect"));

    m_pBox[InColor] = createCheckBox(tr("Color format : "), false, "inputColorBox");
    m_pInColor = createVideoComboBox(ColorItems(), 0, "inputColor");
    grid->addWidget(m_pBox[InColor], 1, 0);
    grid->addWidget(m_pInColor, 1, 1);

    m_pBox[InQuant] = createCheckBox(tr("Quantization : "), false, "inputQuantBox");
    m_pInQuant = createVideoComboBox({tr("Full range (0-255)"), tr("Limited range (16-235)")}, 0, "inputQuant");
    grid->addWidget(m_pBox[InQuant], 2, 0);
    grid->addWidget(m_pInQuant, 2, 1);
    return new QColorPieceWidget(tr("INPUT"), grid, this);
}

QWidget* WTabPageVideo::buildCapturePanel()
{
    QGridLayout* grid = PanelGrid(12);
    m_pCaptureFormat = new QLabel(QStringLiteral("1920x1080p 60.00 fps"), this);
    m_pCaptureFormat->setFixedHeight(24);
    m_pCaptureFormat->setObjectName("captureFormat");
    setLabelStyle(m_pCaptureFormat, QColor("#9DA1A6"), QColor("#2B2B2B"), QColor(39, 39, 39));
    grid->addWidget(createVideoLabel(tr("Capture format : ")), 0, 0);
    grid->addWidget(m_pCaptureFormat, 0, 1);

    addAspectRow(grid, 1, CapAspect, m_pCapAspect, QStringLiteral("captureAspect"));

    m_pBox[Crop] = createCheckBox(tr("Crop input : "), false, "cropBox");
    const int cropStart[4] = {0, 0, 1920, 1080};
    const char* const cropNames[4] = {"cropLeft", "cropTop", "cropRight", "cropBottom"};
    for (int i = 0; i < 4; ++i) {
        m_pCrop[i] = createVideoSpinBox(0, 2048, cropStart[i], cropNames[i]);
        m_pCrop[i]->setFixedSize(76, 24);
    }
    QLabel* comma1 = createLabel(tr(","), Qt::AlignCenter);
    QLabel* dash = createLabel(tr("-"), Qt::AlignCenter);
    QLabel* comma2 = createLabel(tr(","), Qt::AlignCenter);
    comma1->setFixedWidth(16);
    dash->setFixedWidth(20);
    comma2->setFixedWidth(16);
    grid->addWidget(m_pBox[Crop], 2, 0);
    grid->addLayout(SpinRow({m_pCrop[0], comma1, m_pCrop[1], dash, m_pCrop[2], comma2, m_pCrop[3]}), 2, 1);

    m_pBox[CapColor] = createCheckBox(tr("Color format : "), false, "captureColorBox");
    m_pCapColor = createVideoComboBox(ColorItems(), 0, "captureColor");
    m_pBox[CapQuant] = createCheckBox(tr("Quantization : "), false, "captureQuantBox");
    m_pCapQuant = createVideoComboBox({tr("Full range (0-255)"), tr("Limited range (16-235)")}, 0, "captureQuant");
    m_pBox[CapSat] = createCheckBox(tr("Saturation : "), false, "saturationBox");
    m_pCapSat = createVideoComboBox(
        {tr("Full range (0-255)"), tr("Limited range (16-235)"), tr("Extended gamut (1-254)")}, 0, "saturation");
    grid->addWidget(m_pBox[CapColor], 3, 0);
    grid->addWidget(m_pCapColor, 3, 1);
    grid->addWidget(m_pBox[CapQuant], 4, 0);
    grid->addWidget(m_pCapQuant, 4, 1);
    grid->addWidget(m_pBox[CapSat], 5, 0);
    grid->addWidget(m_pCapSat, 5, 1);

    m_pDeinterlace = createVideoComboBox(
        {tr("Weave"), tr("Blend top & bottom field"), tr("Top field only"), tr("Bottom field only")}, 0, "deinterlace");
    m_pARConversion = createVideoComboBox({tr("Ignore"), tr("Cropping"), tr("Padding")}, 0, "arConversion");
    grid->addWidget(createVideoLabel(tr("Deinterlace : ")), 6, 0);
    grid->addWidget(m_pDeinterlace, 6, 1);
    grid->addWidget(createVideoLabel(tr("AR conversion : ")), 7, 0);
    grid->addWidget(m_pARConversion, 7, 1);

    m_pFlip = createCheckBox(tr("Flip"), true, "flip");
    m_pMirror = createCheckBox(tr("Mirror"), true, "mirror");
    m_pFlip->setFixedWidth(76);
    m_pMirror->setFixedWidth(76);
    auto* effects = new QHBoxLayout;
    effects->setContentsMargins(0, 0, 0, 0);
    effects->setSpacing(20);
    effects->addWidget(m_pFlip, 0, Qt::AlignBottom);
    effects->addWidget(m_pMirror, 0, Qt::AlignBottom);
    effects->addStretch(1);
    grid->addWidget(createVideoLabel(tr("Specific effect : ")), 8, 0);
    grid->addLayout(effects, 8, 1);
    return new QColorPieceWidget(tr("CAPTURE"), grid, this);
}

void WTabPageVideo::buildFocusList()
{
    AddFocusControl(m_pBox[InAspect]->GetCheckBox(), KEY_GROUP_FIRST);
    AddFocusControl(m_pInAspect[0], KEY_GROUP_MIDDLE);
    AddFocusControl(m_pInAspect[1], KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[InColor]->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pInColor, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[InQuant]->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pInQuant, KEY_GROUP_LAST);

    AddFocusControl(m_pBox[CapAspect]->GetCheckBox(), KEY_GROUP_FIRST);
    AddFocusControl(m_pCapAspect[0], KEY_GROUP_MIDDLE);
    AddFocusControl(m_pCapAspect[1], KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[Crop]->GetCheckBox(), KEY_GROUP_MIDDLE);
    for (QWrapperSpinBox* spin : m_pCrop)
        AddFocusControl(spin, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[CapColor]->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pCapColor, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[CapQuant]->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pCapQuant, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pBox[CapSat]->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pCapSat, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pDeinterlace, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pARConversion, KEY_GROUP_MIDDLE);
    AddFocusControl(m_pFlip->GetCheckBox(), KEY_GROUP_MIDDLE);
    AddFocusControl(m_pMirror->GetCheckBox(), KEY_GROUP_LAST);
}

WTabPageVideo::WTabPageVideo(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildInputPanel());
    layout->addSpacing(16);
    layout->addWidget(buildCapturePanel());
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(16, 16, 16, 16);
    buildFocusList();

    g_presenter.AddNotify(this);
    connect(this, &WTabPageVideo::inputSourceChanged, this, &WTabPageVideo::OnInputSourceChanged2);
    connect(this, &WTabPageVideo::connectionFormatChanged, this, &WTabPageVideo::OnConnectionFormatChanged2);
    // The device is read by the container's reload, not here.
}

WTabPageVideo::~WTabPageVideo()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

// ---- refresh -------------------------------------------------------------------------

void WTabPageVideo::InitPage(unsigned int flags, bool partial)
{
    reloadPanels();
    emit sigPageRefreshed(flags, partial);
}

WTabPageVideo::DeviceView WTabPageVideo::readView(LumivandrexDevice* device)
{
    DeviceView view;
    view.statusRead = ReadReport(device, view.status);
    view.connectionRead = ReadReport(device, view.connection);
    view.capsRead = ReadReport(device, view.caps);
    return view;
}

void WTabPageVideo::reloadPanels()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    const DeviceView view = readView(device);   // once for both panels
    initInputColorPiece(device, view);
    initOutputColorPiece(device, view);
}

QVector<QWrapperSpinBox*> WTabPageVideo::spinsOf(Row row) const
{
    switch (row) {
    case InAspect: return {m_pInAspect[0], m_pInAspect[1]};
    case CapAspect: return {m_pCapAspect[0], m_pCapAspect[1]};
    case Crop: return {m_pCrop[0], m_pCrop[1], m_pCrop[2], m_pCrop[3]};
    default: return {};
    }
}

WComboBox* WTabPageVideo::comboOf(Row row) const
{
    switch (row) {
    case InColor: return m_pInColor;
    case InQuant: return m_pInQuant;
    case CapColor: return m_pCapColor;
    case CapQuant: return m_pCapQuant;
    case CapSat: return m_pCapSat;
    default: return nullptr;
    }
}

void WTabPageVideo::setRanges(Row row, int min, uint16_t maxX, uint16_t maxY, bool capsRead, const QSize& inUse)
{
    m_nMaxRead[row][0] = capsRead ? maxX : 0;
    m_nMaxRead[row][1] = capsRead ? maxY : 0;
    const int known[2] = {qMin(inUse.width(), kRangeWithoutCaps), qMin(inUse.height(), kRangeWithoutCaps)};
    const QVector<QWrapperSpinBox*> spins = spinsOf(row);
    for (int i = 0; i < spins.size(); ++i) {
        const int axis = i % 2;
        const QSignalBlocker blocker(spins[i]);
        spins[i]->setRange(min, qMax(min, m_nMaxRead[row][axis] ? m_nMaxRead[row][axis] : known[axis]));
    }
}

void WTabPageVideo::showSpin(Row row, int index, int value)
{
    const QVector<QWrapperSpinBox*> spins = spinsOf(row);
    const int axis = index % 2;
    for (int i = axis; !m_nMaxRead[row][axis] && i < spins.size(); i += 2) {
        if (value > spins[i]->maximum()) {
            const QSignalBlocker blocker(spins[i]);
            spins[i]->setMaximum(qMin(value, kRangeWithoutCaps));
        }
    }
    ShowDeviceValue(spins[index], value);
}

void WTabPageVideo::showAutomatic(Row row, const DeviceView& v)
{
    const bool locked = v.Locked();
    const bool connected = v.Connected();
    // The capture side follows the stream when there is one, else the signal.
    auto captureCode = [&](uint32_t fromStream, uint32_t fromSignal) {
        return connected ? fromStream : locked ? fromSignal : 0u;
    };
    switch (row) {
    case InAspect:
        showSpin(row, 0, locked ? v.status.aspectX : 16);
        showSpin(row, 1, locked ? v.status.aspectY : 9);
        break;
    case InColor: ShowDeviceValue(m_pInColor, locked ? ColorItem(v.status.colorFormat) : 0); break;
    case InQuant: ShowDeviceValue(m_pInQuant, locked ? QuantItem(v.status.quantRange) : 0); break;
    case CapAspect:
        showSpin(row, 0, connected ? v.connection.aspectX : 16);
        showSpin(row, 1, connected ? v.connection.aspectY : 9);
        break;
    case Crop:
        showSpin(row, 0, 0);
        showSpin(row, 1, 0);
        showSpin(row, 2, locked ? v.status.width : v.caps.maxInputWidth);
        showSpin(row, 3, locked ? v.status.height : v.caps.maxInputHeight);
        break;
    case CapColor:
        ShowDeviceValue(m_pCapColor, ColorItem(captureCode(v.connection.colorFormat, v.status.colorFormat)));
        break;
    case CapQuant:
        ShowDeviceValue(m_pCapQuant, QuantItem(captureCode(v.connection.quantRange, v.status.quantRange)));
        break;
    case CapSat: ShowDeviceValue(m_pCapSat, SatItem(captureCode(v.connection.satRange, v.status.satRange))); break;
    case RowCount: break;
    }
}

bool WTabPageVideo::automaticKnown(Row row, const DeviceView& v)
{
    switch (row) {
    case InAspect:
    case InColor:
    case InQuant: return v.statusRead;
    case CapAspect: return v.connectionRead;
    case Crop: return v.statusRead && (v.Locked() || v.InputMaxRead());   // unlocked: the largest input
    case CapColor:
    case CapQuant:
    case CapSat: return v.connectionRead && (v.Connected() || v.statusRead);
    case RowCount: break;
    }
    return false;
}

void WTabPageVideo::showFollowed(Row row, const DeviceView& view, bool held)
{
    if (automaticKnown(row, view)) {
        showAutomatic(row, view);
        return enableRow(row, false);
    }
    if (row != Crop)
        return showUnknown(row);
    // Without a crop the device starts at 0, 0; where it ends (the input's size) is unknown.
    // The box can set the crop again only from edges the device held.
    showSpin(row, 0, 0);
    showSpin(row, 1, 0);
    enableRow(row, false);
    ShowUnknownValue(m_pCrop[2]);
    ShowUnknownValue(m_pCrop[3]);
    m_pBox[row]->setEnabled(held);
}

void WTabPageVideo::showRow(Row row, bool read, bool overridden, const DeviceView& view)
{
    m_bOverrideRead[row] = read;
    ShowDeviceValue(m_pBox[row], overridden);
    if (!read)
        showUnknown(row);
    else if (overridden)
        enableRow(row, true);
    else
        showFollowed(row, view);
}

void WTabPageVideo::enableRow(Row row, bool on)
{
    m_pBox[row]->setEnabled(true);
    for (QWrapperSpinBox* s : spinsOf(row))
        s->setEnabled(on);
    if (WComboBox* combo = comboOf(row))
        combo->setEnabled(on);
}

void WTabPageVideo::showUnknown(Row row)
{
    m_pBox[row]->setEnabled(false);
    for (QWrapperSpinBox* s : spinsOf(row))
        ShowUnknownValue(s);
    if (WComboBox* combo = comboOf(row))
        ShowUnknownValue(combo);
}

void WTabPageVideo::initInputColorPiece(LumivandrexDevice* device, const DeviceView& view)
{
    _KVCAP_INPUT_COLOR_FORMAT color;
    _KVCAP_INPUT_QUANT_RANGE quant;
    _KVCAP_INPUT_ASPECT_RATIO aspect;
    const bool colorRead = ReadReport(device, color);
    const bool quantRead = ReadReport(device, quant);
    const bool aspectRead = ReadReport(device, aspect);
    const bool read[3] = {aspectRead, colorRead, quantRead};

    setRanges(InAspect, 1, view.caps.maxInputWidth, view.caps.maxInputHeight, view.capsRead, view.InputInUse());
    const bool rows[3] = {aspect.x != 0 || aspect.y != 0, color.format != 0, quant.range != 0};
    if (rows[0]) {
        showSpin(InAspect, 0, aspect.x);
        showSpin(InAspect, 1, aspect.y);
    }
    if (rows[1])
        ShowDeviceValue(m_pInColor, color.format <= 4 ? int(color.format) - 1 : 0);
    if (rows[2])
        ShowDeviceValue(m_pInQuant, QuantItem(quant.range));
    for (Row row : {InAspect, InColor, InQuant})
        showRow(row, read[row], rows[row], view);
}

void WTabPageVideo::initOutputColorPiece(LumivandrexDevice* device, const DeviceView& view)
{
    _KVCAP_VIDEO_PROCESS_SETTINGS s;
    const bool read = ReadReport(device, s);
    m_pCaptureFormat->setText(view.connectionRead ? getOutputString(view.connection) : QString());

    const QSize capture = view.connectionRead && view.Connected() ? QSize(view.connection.cx, view.connection.cy)
                                                                  : QSize();
    setRanges(CapAspect, 1, view.caps.maxCaptureWidth, view.caps.maxCaptureHeight, view.capsRead, capture);
    setRanges(Crop, 0, view.caps.maxInputWidth, view.caps.maxInputHeight, view.capsRead, view.InputInUse());
    const bool cropSet = s.cropLeft < s.cropRight || s.cropTop < s.cropBottom;
    bool overridden[RowCount] = {};
    overridden[CapAspect] = s.aspectX != 0 || s.aspectY != 0;
    overridden[Crop] = cropSet;
    overridden[CapColor] = s.colorFormat != 0;
    overridden[CapQuant] = s.quantRange != 0;
    overridden[CapSat] = s.satRange != 0;
    if (overridden[CapAspect]) {
        showSpin(CapAspect, 0, s.aspectX);
        showSpin(CapAspect, 1, s.aspectY);
    }
    if (cropSet) {
        const int16_t edges[4] = {s.cropLeft, s.cropTop, s.cropRight, s.cropBottom};
        for (int i = 0; i < 4; ++i)
            showSpin(Crop, i, edges[i]);
    }
    if (overridden[CapColor])
        ShowDeviceValue(m_pCapColor, s.colorFormat <= 4 ? int(s.colorFormat) - 1 : 0);
    if (overridden[CapQuant])
        ShowDeviceValue(m_pCapQuant, QuantItem(s.quantRange));
    if (overridden[CapSat])
        ShowDeviceValue(m_pCapSat, SatItem(s.satRange));
    for (Row row : {CapAspect, Crop, CapColor, CapQuant, CapSat})
        showRow(row, read, overridden[row], view);
    if (read && !cropSet) {   // the stored left and top stay
        showSpin(Crop, 0, s.cropLeft);
        showSpin(Crop, 1, s.cropTop);
    }
    ShowDeviceValue(m_pDeinterlace, (s.deinterlace >= 1 && s.deinterlace <= 3) ? int(s.deinterlace) : 0);
    ShowDeviceValue(m_pARConversion, s.arConversion <= 2 ? int(s.arConversion) : 0);
    ShowDeviceValue(m_pFlip, (s.flags & KVCAP_PROCESS_FLIP) != 0);
    ShowDeviceValue(m_pMirror, (s.flags & KVCAP_PROCESS_MIRROR) != 0);
    for (QWidget* control : std::initializer_list<QWidget*>{m_pDeinterlace, m_pARConversion, m_pFlip, m_pMirror})
        control->setEnabled(read);
    if (!read) {
        ShowUnknownValue(m_pDeinterlace);
        ShowUnknownValue(m_pARConversion);
    }
}

QString WTabPageVideo::getOutputString(const _KVCAP_VIDEO_CONNECTION_FORMAT& f)
{
    if (!f.connected)
        return tr("Not connected");
    return QStringLiteral("%1x%2, %3 fps, %4")
        .arg(f.cx)
        .arg(f.cy)
        .arg(RateText(g_arrRateNumerator[1], f.frameDuration))
        .arg(FourCCName(f.fourcc));
}

// ---- writes --------------------------------------------------------------------------

int WTabPageVideo::comboCode(Row row) const
{
    if (!m_pBox[row]->IsChecked())
        return 0;
    switch (row) {
    case InColor: return m_pInColor->currentIndex() + 1;
    case CapColor: return m_pCapColor->currentIndex() + 1;
    case InQuant: return m_pInQuant->currentIndex() == 1 ? 2 : 1;
    case CapQuant: return m_pCapQuant->currentIndex() == 1 ? 2 : 1;
    case CapSat: return m_pCapSat->currentIndex() + 1;
    default: return 0;
    }
}

void WTabPageVideo::applyToProcess(Row row, _KVCAP_VIDEO_PROCESS_SETTINGS& s) const
{
    const bool on = m_pBox[row]->IsChecked();
    switch (row) {
    case CapAspect:
        s.aspectX = on ? m_pCapAspect[0]->value() : 0;
        s.aspectY = on ? m_pCapAspect[1]->value() : 0;
        break;
    case Crop:
        s.cropLeft = int16_t(on ? m_pCrop[0]->value() : 0);
        s.cropTop = int16_t(on ? m_pCrop[1]->value() : 0);
        s.cropRight = int16_t(on ? m_pCrop[2]->value() : 0);
        s.cropBottom = int16_t(on ? m_pCrop[3]->value() : 0);
        break;
    case CapColor: s.colorFormat = uint32_t(comboCode(row)); break;
    case CapQuant: s.quantRange = uint32_t(comboCode(row)); break;
    case CapSat: s.satRange = uint32_t(comboCode(row)); break;
    default: break;
    }
}

bool WTabPageVideo::writeRow(LumivandrexDevice* device, Row row)
{
    const bool on = m_pBox[row]->IsChecked();
    switch (row) {
    case InAspect:
        return WriteReport(device, _KVCAP_INPUT_ASPECT_RATIO{on ? m_pInAspect[0]->value() : 0,
                                                             on ? m_pInAspect[1]->value() : 0});
    case InColor: return WriteReport(device, _KVCAP_INPUT_COLOR_FORMAT{uint32_t(comboCode(row))});
    case InQuant: return WriteReport(device, _KVCAP_INPUT_QUANT_RANGE{uint32_t(comboCode(row))});
    default:
        return ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(
            device, [&](_KVCAP_VIDEO_PROCESS_SETTINGS& s) { applyToProcess(row, s); });
    }
}

int WTabPageVideo::rowOf(const QWrapperCheckBox* box) const
{
    for (int row = 0; row < RowCount; ++row) {
        if (m_pBox[row] == box)
            return row;
    }
    return -1;
}

void WTabPageVideo::OnCheckBoxClicked()
{
    auto* box = qobject_cast<QWrapperCheckBox*>(sender());
    if (!box)
        return;
    const bool on = box->IsChecked();
    const int row = rowOf(box);
    WriteControlChange(box, [&](LumivandrexDevice* device) {
        if (box == m_pFlip || box == m_pMirror) {
            const uint32_t bit = box == m_pFlip ? KVCAP_PROCESS_FLIP : KVCAP_PROCESS_MIRROR;
            return ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(
                device, [&](_KVCAP_VIDEO_PROCESS_SETTINGS& s) { s.flags = on ? (s.flags | bit) : (s.flags & ~bit); });
        }
        if (row < 0 || !writeRow(device, Row(row)))
            return false;
        if (on) {
            enableRow(Row(row), true);
            for (QWrapperSpinBox* spin : spinsOf(Row(row)))   // edges kept hidden are shown again
                ShowDeviceValue(spin, spin->value());
            return true;
        }
        showFollowed(Row(row), readView(device), true);
        return true;
    });
}

void WTabPageVideo::OnSpinBoxValueChanged(int v)
{
    auto* spin = qobject_cast<QSpinBox*>(sender());
    if (!spin)
        return;
    // Changes one aspect term; an edit to the stored value writes nothing and is what
    // the device holds.
    auto term = [v, spin](int32_t& stored) {
        if (stored == v)
            KeepDeviceValue(spin);
        if (stored == v || v <= 0)
            return false;
        stored = v;
        return true;
    };
    const int edge = int(std::find(m_pCrop, m_pCrop + 4, spin) - m_pCrop);
    WriteControlChange(spin, [&](LumivandrexDevice* device) {
        if (spin == m_pInAspect[0] || spin == m_pInAspect[1]) {
            return ModifyReport<_KVCAP_INPUT_ASPECT_RATIO>(
                device, [&](_KVCAP_INPUT_ASPECT_RATIO& r) { return term(spin == m_pInAspect[0] ? r.x : r.y); });
        }
        if (spin == m_pCapAspect[0] || spin == m_pCapAspect[1]) {
            return ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(device, [&](_KVCAP_VIDEO_PROCESS_SETTINGS& s) {
                return term(spin == m_pCapAspect[0] ? s.aspectX : s.aspectY);
            });
        }
        if (edge >= 4)
            return false;
        return ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(device, [&](_KVCAP_VIDEO_PROCESS_SETTINGS& s) {
            int16_t* edges[4] = {&s.cropLeft, &s.cropTop, &s.cropRight, &s.cropBottom};
            const int stored = *edges[edge];
            int e[4] = {s.cropLeft, s.cropTop, s.cropRight, s.cropBottom};
            e[edge] = v;
            if (stored == v || e[2] - e[0] < kMinCrop || e[3] - e[1] < kMinCrop) {
                showSpin(Crop, edge, stored);   // too narrow or too low: back to what the device holds
                return false;
            }
            *edges[edge] = int16_t(v);
            return true;
        });
    });
}

void WTabPageVideo::OnComboBoxIndexChanged(int index)
{
    auto* combo = qobject_cast<QComboBox*>(sender());
    if (!combo || index < 0)
        return;
    WriteControlChange(combo, [&](LumivandrexDevice* device) {
        if (combo == m_pInColor)
            return WriteReport(device, _KVCAP_INPUT_COLOR_FORMAT{uint32_t(index + 1)});
        if (combo == m_pInQuant)
            return WriteReport(device, _KVCAP_INPUT_QUANT_RANGE{index == 1 ? 2u : 1u});
        return ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(device, [&](_KVCAP_VIDEO_PROCESS_SETTINGS& s) {
            if (combo == m_pCapColor)
                s.colorFormat = uint32_t(index + 1);
            else if (combo == m_pCapQuant)
                s.quantRange = index == 1 ? 2u : 1u;
            else if (combo == m_pCapSat)
                s.satRange = uint32_t(index + 1);
            else if (combo == m_pDeinterlace)
                s.deinterlace = uint32_t(index);
            else if (combo == m_pARConversion)
                s.arConversion = uint32_t(index);
            else
                return false;
            return true;
        });
    });
}

// ---- notifications -------------------------------------------------------------------

void WTabPageVideo::OnSpinMousePress()
{
    m_bHeld = true;
}

void WTabPageVideo::OnSpinMouseRelease()
{
    if (m_bStale)
        reloadPanels();
    m_bHeld = false;
    m_bStale = false;
}

void WTabPageVideo::OnInputSourceChanged(quint64 bits)
{
    emit inputSourceChanged(bits);
}

void WTabPageVideo::OnConnectionFormatChanged()
{
    emit connectionFormatChanged();
}

void WTabPageVideo::OnInputSourceChanged2(quint64 bits)
{
    m_bStale = true;
    if ((bits & kReloadSourceBits) && !m_bHeld)
        reloadPanels();
}

void WTabPageVideo::OnConnectionFormatChanged2()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    DeviceView view;
    view.connectionRead = ReadReport(device, view.connection);
    view.statusRead = ReadReport(device, view.status);
    m_pCaptureFormat->setText(view.connectionRead ? getOutputString(view.connection) : QString());
    const Row rows[] = {CapAspect, CapColor, CapQuant, CapSat};
    for (Row row : rows) {
        if (m_bOverrideRead[row] && !m_pBox[row]->IsChecked())
            showFollowed(row, view);
    }
    // Written back, the record makes the device follow the new stream in the rows left
    // automatic; every override goes back as the device holds it, byte for byte, never as
    // the page shows it (an editor cannot show every code or size the device may hold).
    // A record that could not be read whole is not written.
    ModifyReport<_KVCAP_VIDEO_PROCESS_SETTINGS>(device, [](_KVCAP_VIDEO_PROCESS_SETTINGS&) {});
}
