#include "toolkit/qwrapperstack.h"

#include "toolkit/wpagebase.h"
#include "toolkit/wpushbutton.h"

#include <QPainter>

namespace {
constexpr int kRowSideSpace = 16;
}

QWrapperStack::QWrapperStack(QWidget* parent)
    : QWidget(parent)
{
    // The layouts are installed by SetMainWidget(), once the first pages exist.
    m_pMainLayout = new QVBoxLayout;
    m_pMainLayout->setContentsMargins(16, 0, 16, 0);
    m_pMainLayout->setSpacing(0);
    m_pButtonLayout = new QHBoxLayout;
    m_pButtonLayout->setSpacing(0);
    m_pButtonLayout->setAlignment(Qt::AlignHCenter);
    // 16 pixels on either side of the tabs while there is room; a row of wide tabs
    // (the Timing page's three) takes that room rather than being cut at the right.
    m_pButtonLayout->setContentsMargins(0, 0, 0, 0);
    m_pButtonLayout->addSpacerItem(new QSpacerItem(kRowSideSpace, 0, QSizePolicy::Maximum));
    m_pButtonLayout->addSpacerItem(new QSpacerItem(kRowSideSpace, 0, QSizePolicy::Maximum));
    m_pStackLayout = new QStackedLayout;
    m_pStackLayout->setContentsMargins(0, 0, 0, 0);
    m_pStackLayout->setSpacing(0);
    m_pStackLayout->setStackingMode(QStackedLayout::StackOne);
}

QWrapperStack::~QWrapperStack()
{
    if (!m_bInstalled) {
        // Never installed: the layouts have no owner but us.
        delete m_pButtonLayout;
        delete m_pStackLayout;
        delete m_pMainLayout;
    }
}

void QWrapperStack::AddSubWidget(QWidget* page, QString title, bool first, bool last)
{
    if (!page)
        return;
    QString name;
    if (first && last)
        name = QStringLiteral("btn_tab_only");
    else if (first)
        name = QStringLiteral("btn_tab_first");
    else if (last)
        name = QStringLiteral("btn_tab_last");
    else
        name = QStringLiteral("btn_tab_middle");

    auto* button = new WPushButton(title, this);
    button->setObjectName(name);
    button->SetStackBtn(true);
    button->setFixedHeight(32);
    button->setMaximumWidth(188);

    // Tab widths by title; the screens pass their titles already translated.
    int width = 0;
    if (title == tr("Custom GTF/CVT Resolutions"))
        width = 212;
    else if (title == tr("Adjust Timing") || title == tr("Custom Timings"))
        width = 140;
    else if (title == tr("Capture Device EDID") || title == tr("Loop Through Device EDID"))
        width = 190;   // "Loop Through Device EDID" whole at 14 pixels bold
    else if (title == tr("AVI") || title == tr("Audio") || title == tr("SPD") || title == tr("MS")
             || title == tr("VS") || title == tr("ACP") || title == tr("ISRC1")
             || title == tr("ISRC2") || title == tr("Gamut"))
        width = 53;   // "Gamut" whole at 14 pixels bold, to the fraction of a pixel
    else if (title == tr("Input Specific Status") || title == tr("Video Signal Status")
             || title == tr("Audio Signal Status"))
        width = 152;
    else if (title == tr("Color Format") || title == tr("Frame Rate") || title == tr("Resolution"))
        width = 152;
    // At a large font the text fitter makes the row's titles smaller, all to one size.
    if (width > 0)
        button->setFixedWidth(width);

    button->setCheckable(true);
    button->setChecked(false);
    button->setAutoExclusive(true);
    connect(button, &QPushButton::pressed, this, &QWrapperStack::OnButtonClicked);
    // Before the closing side space. A button added to a stack on screen (a page
    // rebuilt while it is shown) would stay hidden without the show.
    m_pButtonLayout->insertWidget(m_pButtonLayout->count() - 1, button, 1);
    button->show();
    m_vecButtons.append(button);

    page->setParent(this);
    m_pStackLayout->addWidget(page);
    m_vecPages.append(page);
}

void QWrapperStack::SetMainWidget()
{
    if (!m_bInstalled) {
        auto* holder = new QWidget(this);
        holder->setStyleSheet(QStringLiteral("QWidget{outline: none;}"));
        holder->setLayout(m_pButtonLayout);
        m_pMainLayout->addWidget(holder);
        m_pMainLayout->addSpacing(24);
        m_pMainLayout->addLayout(m_pStackLayout);
        setLayout(m_pMainLayout);
        m_bInstalled = true;
    }
    if (!m_vecButtons.isEmpty())
        ShowIndex(0);
}

void QWrapperStack::ShowIndex(int index)
{
    m_nCurIndex = index;
    m_pStackLayout->setCurrentWidget(m_vecPages.at(index));
    // Check the new button first: an auto-exclusive button cannot be unchecked directly.
    m_vecButtons.at(index)->setChecked(true);
    for (int i = 0; i < m_vecButtons.size(); ++i)
        m_vecButtons.at(i)->setChecked(i == index);
}

void QWrapperStack::SetCurrentIndex(int index)
{
    if (index < 0 || index >= m_vecPages.size())
        return;
    ShowIndex(index);
}

void QWrapperStack::Clear()
{
    for (WPushButton* button : qAsConst(m_vecButtons)) {
        // The page's focus list may still hold this button: take it out before the
        // button goes, so no entry points at a deleted widget.
        if (WPageBase* page = button->GetProperty()->pPage)
            page->RemoveFromTabList(button);
        m_pButtonLayout->removeWidget(button);
        delete button;
    }
    m_vecButtons.clear();
    for (QWidget* page : qAsConst(m_vecPages))
        m_pStackLayout->removeWidget(page);
    m_vecPages.clear();
    m_nCurIndex = -1;
}

WPushButton* QWrapperStack::GetStackTabBtn(int i) const
{
    return (i >= 0 && i < m_vecButtons.size()) ? m_vecButtons.at(i) : nullptr;
}

QWidget* QWrapperStack::GetStackTabWid(int i) const
{
    return (i >= 0 && i < m_vecPages.size()) ? m_vecPages.at(i) : nullptr;
}

void QWrapperStack::OnButtonClicked()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    int index = -1;
    for (int i = 0; i < m_vecButtons.size(); ++i) {
        if (m_vecButtons.at(i) == button)
            index = i;
    }
    if (index < 0 || button->isChecked())
        return;
    ShowIndex(index);
    repaint();
    emit sigIndexChanged(index);
}

void QWrapperStack::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(QStringLiteral("#151515")), 1, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.setBrush(QColor(QStringLiteral("#2B2B2B")));
    painter.drawRect(QRect(0, 16, width(), height() - 16));
}
