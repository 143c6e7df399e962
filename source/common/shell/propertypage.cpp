#include "shell/propertypage.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMutexLocker>
#include <QPointer>
#include <QStackedWidget>
#include <QWindow>

#include <algorithm>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "settingspages/wtabpageadvanced.h"
#include "settingspages/wtabpagetiming.h"
#include "settingspages/wtabpagevideo.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/htmlreport.h"
#include "shell/settingsbar.h"
#include "shell/wcenterwid.h"
#include "shell/wsetbtn.h"
#include "shell/wtabbar.h"
#include "shell/wtabwidget.h"
#include "statuspages/wtabpagehdmi.h"
#include "statuspages/wtabpageinfo.h"
#include "statuspages/wtabpageinput.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qwrapperstack.h"
#include "toolkit/wpushbutton.h"
#include "toolkit/textfit.h"

namespace {
const char* const kTabSheet =
    "QTabWidget{border: 4px solid rgb(255,0,0)}"
    "QTabWidget::pane{border-top: 4px solid #1b9dff; background-color: #343434}"
    "QTabWidget::tab-bar{alignment: left}"
    "WTabBar::tab{border-top-left-radius: 4px; border-top-right-radius: 4px; max-width: 80px; min-width: 80px; "
    "max-height: 32px; min-height: 32px}"
    "WTabBar::tab:first:selected{color: #feffff; background: #1b9dff; margin-right: 1px}"
    "WTabBar::tab:first:!selected{color: #a7acaf; background: #2f3237; margin-right: 1px}"
    "WTabBar::tab:first:hover:!selected{color: #feffff; background: #2f3237; margin-right: 1px}"
    "WTabBar::tab:middle:selected{color: #feffff; background: #1b9dff; margin-right: 1px}"
    "WTabBar::tab:middle:!selected{color: #a7acaf; background: #2f3237; margin-right: 1px}"
    "WTabBar::tab:middle:hover:!selected{color: #feffff; background: #2f3237; margin-right: 1px}"
    "WTabBar::tab:last:selected{color: #feffff; background: #1b9dff; margin-right: 0px}"
    "WTabBar::tab:last:!selected{color: #a7acaf; background: #2f3237; margin-right: 0px}"
    "WTabBar::tab:last:hover:!selected{color: #feffff; background: #2f3237; margin-right: 0px}"
    "WTabBar::tab:only-one{color: #feffff; background: #1b9dff; margin-right: 1px}";

constexpr int kTabWidth = 80;      // min-width and max-width of the sheet
constexpr int kTabTextSpace = 8;   // kept free of text in a tab

} // namespace

PropertyPage::PropertyPage(QWidget* parent)
    : QWidget(parent)
{
    m_pTabWidget = new WTabWidget(this);
    m_pTabWidget->setFixedHeight(628);
    QFont tabFont = font();
    tabFont.setWeight(63);
    // The tabs have a fixed width: a large font is made smaller rather than cut.
    m_pTabWidget->GetTabBar()->setFont(FontFittingWidth(
        tabFont, {tr("Info"), tr("Video"), tr("Volume"), tr("Input"), tr("HDMI"), tr("Timing"), tr("Advanced")},
        kTabWidth - kTabTextSpace));
    m_pTabWidget->setFocusPolicy(Qt::TabFocus);
    connect(m_pTabWidget, &QTabWidget::currentChanged, this, &PropertyPage::OnTabCurChanged);
    m_pTabWidget->setStyleSheet(QString::fromLatin1(kTabSheet));

    // The first tab, the page every start shows, made where its tab keeps it: a
    // widget tree moved into another is styled anew, whole. EnsurePages() builds
    // the other pages.
    m_pInfoPage = new WTabPageInfo(m_pTabWidget->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly));

    // The tabs only: the title bar's first pass, queued before the event loop
    // runs, reloads the pages for the device it selects (or for none).
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    BuildTabSet(false, false);
    locker.unlock();
    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->addWidget(m_pTabWidget);
    layout->setContentsMargins(12, 8, 12, 4);
    g_presenter.AddNotify(this);
}

void PropertyPage::EnsurePages()
{
    if (m_pVideoPage)
        return;
    m_pVideoPage = new WTabPageVideo(nullptr);
    m_pInputPage = new WTabPageInput(nullptr);
    m_pVolumePage = new WTabPageVolume(nullptr);
    m_pHdmiPage = new WTabPageHdmi(nullptr);
    m_pTimingPage = new WTabPageTiming(nullptr);
    m_pAdvancedPage = new WTabPageAdvanced(nullptr);

    connect(m_pInputPage, &WTabPageInput::inputAudioChanged, m_pVolumePage, &WTabPageVolume::OnAIOAudioChanged,
            Qt::DirectConnection);
    connect(m_pInputPage, &WTabPageInput::inputVideoChanged, m_pHdmiPage, &WTabPageHdmi::videoSignalChanged,
            Qt::DirectConnection);
    connect(m_pInputPage, &WTabPageInput::inputVideoChanged, m_pHdmiPage, &WTabPageHdmi::OnVideoChanged,
            Qt::DirectConnection);
    connect(m_pTimingPage, &WTabPageTiming::signal_resetFocus, this, &PropertyPage::signal_resetFocus);
    connect(m_pHdmiPage, &WTabPageHdmi::signal_resetFocus, this, &PropertyPage::signal_resetFocus);
}

QWidget* PropertyPage::PageOf(int slot) const
{
    QWidget* const pages[kPageSlots] = {m_pInfoPage, m_pVideoPage, m_pVolumePage, m_pInputPage,
                                        m_pHdmiPage, m_pTimingPage, m_pAdvancedPage};
    return pages[slot];
}

void PropertyPage::AddPageTab(int slot, const QString& title)
{
    QWidget* page = PageOf(slot);
    if (!page) {
        // Before the first paint: an empty stand-in behind the same title,
        // replaced by the page once the window is on screen.
        page = new QWidget;
        m_placeholders.insert(page, slot);
    }
    m_pTabWidget->addTab(page, title);
}

void PropertyPage::SwapInPages()
{
    if (m_placeholders.isEmpty())
        return;
    EnsurePages();
    // Same titles in the same places: the tab bar stays as it is.
    const int current = m_pTabWidget->currentIndex();
    const bool blocked = m_pTabWidget->blockSignals(true);
    for (int i = 0; i < m_pTabWidget->count(); ++i) {
        QWidget* standIn = m_pTabWidget->widget(i);
        if (!m_placeholders.contains(standIn))
            continue;
        const QString title = m_pTabWidget->tabText(i);
        m_pTabWidget->removeTab(i);
        m_pTabWidget->insertTab(i, PageOf(m_placeholders.value(standIn)), title);
    }
    m_pTabWidget->setCurrentIndex(current);
    m_pTabWidget->blockSignals(blocked);
    for (auto it = m_placeholders.cbegin(); it != m_placeholders.cend(); ++it)
        delete it.key();
    m_placeholders.clear();
}

PropertyPage::~PropertyPage()
{
    g_presenter.DeleteNotify(this);
    // The pages were made without a parent and belong to the container whatever
    // tab set is shown; a page that is a tab now is removed from the tab widget
    // by its own destruction.
    m_pTabWidget->blockSignals(true);
    delete m_pInfoPage;
    delete m_pVideoPage;
    delete m_pVolumePage;
    delete m_pInputPage;
    delete m_pAdvancedPage;
    delete m_pHdmiPage;
    delete m_pTimingPage;
}

QStringList PropertyPage::TabTitlesFor(unsigned int features)
{
    QStringList titles{QStringLiteral("Info"), QStringLiteral("Video")};
    if (features & FEATURE_VOLUME)
        titles << QStringLiteral("Volume");
    titles << QStringLiteral("Input");
    if (features & FEATURE_HDMI)
        titles << QStringLiteral("HDMI");
    if (features & FEATURE_TIMING)
        titles << QStringLiteral("Timing");
    titles << QStringLiteral("Advanced");
    return titles;
}

unsigned int PropertyPage::ReadFeatures()
{
    // A failed read leaves 0: only the pages every device has.
    _KVCAP_FEATURE_FLAGS flags;
    ReadReport(g_presenter.GetCurrentDevice(), flags);
    return flags.features;
}

bool PropertyPage::BuildTabSet(bool keepIndex, bool refreshInfo)
{
    m_nFeatures = 0;
    if (!g_presenter.GetCurrentDevice()) {
        m_pTabWidget->clear();
        m_pTabWidget->addTab(m_pInfoPage, tr("Info"));
        m_pTabWidget->setCurrentIndex(0);
        m_pTabWidget->setEnabled(false);
        if (refreshInfo)
            m_pInfoPage->InitPage(0, true);
        return false;
    }

    const int remembered = m_pTabWidget->currentIndex();
    ShowTabs(ReadFeatures());
    const bool keep = keepIndex && remembered >= 0 && remembered < m_pTabWidget->count();
    m_pTabWidget->setCurrentIndex(keep ? remembered : 0);
    return true;
}

void PropertyPage::ShowTabs(unsigned int features)
{
    m_nFeatures = features;
    if (!m_bDeferOthers) {
        SwapInPages();
        EnsurePages();
    }
    m_pTabWidget->clear();
    for (auto it = m_placeholders.cbegin(); it != m_placeholders.cend(); ++it)
        delete it.key();
    m_placeholders.clear();
    AddPageTab(0, tr("Info"));
    AddPageTab(1, tr("Video"));
    if (features & FEATURE_VOLUME)
        AddPageTab(2, tr("Volume"));
    AddPageTab(3, tr("Input"));
    if (features & FEATURE_HDMI)
        AddPageTab(4, tr("HDMI"));
    if (features & FEATURE_TIMING)
        AddPageTab(5, tr("Timing"));
    AddPageTab(6, tr("Advanced"));
    m_pTabWidget->setEnabled(true);
}

void PropertyPage::ReloadTabWidget(bool reset)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const bool b = BuildTabSet(!reset);
    if (b)
        LoadPages(m_nFeatures, !reset);   // the tab set's features: 0xFF is not read twice
    else
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
}

void PropertyPage::ShowPropertyPage()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    BuildTabSet(true);
}

void PropertyPage::ReloadPropertyPage(bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (!g_presenter.GetCurrentDevice())
        return;
    LoadPages(ReadFeatures(), partial);
}

void PropertyPage::OnCurrentDeviceAnswering()
{
    // Once the poll that found it has returned.
    QMetaObject::invokeMethod(this, &PropertyPage::ReloadAnsweringDevice, Qt::QueuedConnection);
}

PropertyPage::FocusPlace PropertyPage::RememberFocus() const
{
    FocusPlace place;
    place.widget = QApplication::focusWidget();
    place.inPages = place.widget && m_pTabWidget->isAncestorOf(place.widget);
    // A page may build its inner tab buttons anew: such a button is found again by its place.
    QWidget* up = place.widget;
    while (up && !qobject_cast<QWrapperStack*>(up))
        up = up->parentWidget();
    if (auto* stack = qobject_cast<QWrapperStack*>(up)) {
        for (int i = 0; i < stack->GetStackCount(); ++i) {
            if (stack->GetStackTabBtn(i) == place.widget) {
                place.stack = stack;
                place.tabButton = i;
            }
        }
    }
    return place;
}

void PropertyPage::RestoreFocus(const FocusPlace& place)
{
    QWidget* target = place.widget;
    if (!target && place.stack && place.stack->GetStackCount() > 0)
        target = place.stack->GetStackTabBtn(std::min(place.tabButton, place.stack->GetStackCount() - 1));
    WPageBase* page = PageBaseOf(m_pTabWidget->currentWidget());
    if (target && target->isVisible() && target->isEnabled()) {
        if (QApplication::focusWidget() != target)
            target->setFocus(Qt::OtherFocusReason);
        // A page that listed its controls anew walks on from the kept one.
        KEY_PROPERTY kept;
        kept.pWidget = target;
        if (page)
            page->SetCurPropertyForFocusInEv(&kept);
        return;
    }
    if (!place.inPages)
        return;
    // The control went (or can no longer take the focus): the page's first control,
    // else the tab bar; never out of the pages.
    if (!page || !page->FocusFirstAvailable())
        m_pTabWidget->setFocus(Qt::OtherFocusReason);
}

void PropertyPage::SetPagesKeepPlace(bool keep)
{
    for (int slot = 0; slot < kPageSlots; ++slot) {
        if (WPageBase* page = PageBaseOf(PageOf(slot)))
            page->SetKeepPlace(keep);
    }
}

void PropertyPage::ReloadAnsweringDevice()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (!g_presenter.GetCurrentDevice())
        return;
    // Nothing may move under the user: the page shown, each page's inner tab and the
    // focus stay where they are. A failed read of the features keeps the tabs there are.
    const FocusPlace focus = RememberFocus();
    _KVCAP_FEATURE_FLAGS flags;
    const unsigned int features = ReadReport(g_presenter.GetCurrentDevice(), flags) ? flags.features : m_nFeatures;
    if (features != m_nFeatures) {
        const QPointer<QWidget> shown = m_pTabWidget->currentWidget();
        const bool blocked = m_pTabWidget->blockSignals(true);
        ShowTabs(features);
        m_pTabWidget->setCurrentIndex(std::max(0, m_pTabWidget->indexOf(shown)));
        m_pTabWidget->blockSignals(blocked);
    }
    LoadPages(features, false, true);
    RestoreFocus(focus);
}

void PropertyPage::DeferOtherPages()
{
    m_bDeferOthers = true;
}

void PropertyPage::FinishDeferredLoad()
{
    m_bDeferOthers = false;
    SwapInPages();
    if (!m_bDeferred)
        return;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    m_bDeferred = false;
    if (!g_presenter.GetCurrentDevice()) {
        m_loadedEarly.clear();
        return;
    }
    m_bFinishing = true;
    LoadPages(m_nFeatures, m_bDeferredPartial);
    m_bFinishing = false;
    m_loadedEarly.clear();
}

bool PropertyPage::Loads(QWidget* page)
{
    if (!page)
        return false;   // not built yet: FinishDeferredLoad() fills it
    if (m_bFinishing)
        return !m_loadedEarly.contains(page);
    if (!m_bDeferOthers)
        return true;
    if (page == m_pTabWidget->currentWidget()) {
        m_loadedEarly.insert(page);
        return true;
    }
    return false;
}

void PropertyPage::LoadPages(unsigned int features, bool partial, bool keepState)
{
    if (!m_bDeferOthers)
        EnsurePages();
    if (m_bDeferOthers) {
        // A later pass fills what this one leaves; it repeats this pass's kind.
        m_bDeferred = true;
        m_bDeferredPartial = partial;
        m_loadedEarly.clear();
    }
    SetPagesKeepPlace(keepState);
    // Such a reload puts the focus back itself: no page sends it out of the pages meanwhile.
    const QSignalBlocker focusStays(keepState ? this : nullptr);
    if (!partial && Loads(m_pInfoPage))
        m_pInfoPage->InitPage(0, !keepState);
    if (Loads(m_pVideoPage))
        m_pVideoPage->InitPage(0, false);
    if ((features & FEATURE_VOLUME) && !partial && Loads(m_pVolumePage))
        m_pVolumePage->InitPage(0xFFFFFFFFu, false);
    else if (!(features & FEATURE_VOLUME) && m_pVolumePage)
        m_pVolumePage->ClearControls();   // hidden now: keeps nothing of a previous device
    if (Loads(m_pInputPage))
        m_pInputPage->InitPage(0, false);
    if ((features & FEATURE_HDMI) && Loads(m_pHdmiPage))
        m_pHdmiPage->InitPage(0, false);
    if ((features & FEATURE_TIMING) && Loads(m_pTimingPage))
        m_pTimingPage->InitPage(0, partial);
    if (Loads(m_pAdvancedPage))
        m_pAdvancedPage->InitPage(0, partial);
    SetPagesKeepPlace(false);
    if (!partial && !m_bFinishing && !keepState)
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    // Synchronous on purpose: the refreshed pages show before control returns. A
    // window not on screen yet is painted once, whole, when it is first exposed.
    const QWindow* handle = window()->windowHandle();
    if (handle && handle->isExposed())
        repaint(rect());
}

QString PropertyPage::ExportInfo()
{
    FinishDeferredLoad();   // the report describes every page, filled
    EnsurePages();
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (!g_presenter.GetCurrentDevice())
        return QString();
    const unsigned int features = ReadFeatures();

    QString body;
    QString sideBar = QStringLiteral("<div class=\"siderBar\" id=\"siderBar\">\r\n<ul id=\"nav\">\r\n");
    struct Entry {
        WPageBase* page;
        QString title;
        bool shown;
    };
    const Entry entries[] = {
        {m_pInfoPage, tr("Info"), true},
        {m_pVideoPage, tr("Video"), true},
        {m_pVolumePage, tr("Volume"), (features & FEATURE_VOLUME) != 0},
        {m_pInputPage, tr("Input"), true},
        {m_pHdmiPage, tr("HDMI"), (features & FEATURE_HDMI) != 0},
        {m_pTimingPage, tr("Timing"), (features & FEATURE_TIMING) != 0},
        {m_pAdvancedPage, tr("Advanced"), true},
    };
    bool first = true;
    for (const Entry& entry : entries) {
        if (!entry.shown)
            continue;
        body += entry.page->GetExportInfo();
        const QString id = HtmlReport::AnchorId(entry.title);
        const QString text = HtmlReport::Escape(entry.title);
        sideBar += first ? QStringLiteral("<li><a href=\"#%1\" class=\"focus\">%2</a></li>\r\n").arg(id, text)
                         : QStringLiteral("<li><a href=\"#%1\">%2</a></li>\r\n").arg(id, text);
        first = false;
    }
    body += QStringLiteral("</div>\r\n</div>\r\n");
    body += QStringLiteral("</div>\r\n");
    sideBar += QStringLiteral("<li class=\"top\">\r\n<a href=\"#main\">\r\n<div class=\"caret\">\r\n"
                              "<div class=\"caret-in\"></div>\r\n</div>\r\n<p>Top</p>\r\n</a>\r\n</li>\r\n"
                              "</ul>\r\n</div>\r\n");
    return body + sideBar;
}

void PropertyPage::OnTabCurChanged(int nIndex)
{
    Q_UNUSED(nIndex)
    QWidget* focus = focusWidget();
    const bool onTabs = focus && (focus == m_pTabWidget || focus == m_pTabWidget->GetTabBar());
    if (onTabs && g_presenter.IsInFocus())
        return;
    g_focusManager.SetDefaultFocus();
    g_focusManager.SetActive(false);
}

WPageBase* PropertyPage::PageBaseOf(QWidget* page) const
{
    if (page == m_pInfoPage)
        return m_pInfoPage;
    if (page == m_pVideoPage)
        return m_pVideoPage;
    if (page == m_pVolumePage)
        return m_pVolumePage;
    if (page == m_pInputPage)
        return m_pInputPage;
    if (page == m_pHdmiPage)
        return m_pHdmiPage;
    if (page == m_pTimingPage)
        return m_pTimingPage;
    if (page == m_pAdvancedPage)
        return m_pAdvancedPage;
    return nullptr;
}

bool PropertyPage::FocusSettingsBar(bool next)
{
    if (!m_pSettingsBar || !m_pSettingsBar->GetExportButton())
        return QWidget::focusNextPrevChild(next);
    m_pSettingsBar->GetExportButton()->setFocus(Qt::OtherFocusReason);
    return true;
}

bool PropertyPage::TimingForwardFromTable(WPageBase* page)
{
    KEY_PROPERTY* entry = page->GetCurProperty();
    if (!entry || entry->nGroupPos == KEY_GROUP_LAST)
        return FocusSettingsBar(true);
    // Walk the rest of the table's group: go on inside the page only when a
    // later member of the group lives on a shown stack page.
    for (KEY_PROPERTY* e = entry->pNext; e && e != entry; e = e->pNext) {
        if (e->pWidget && e->pWidget->isVisible() && e->pWidget->isEnabled() && e->bStackPage)
            return page->FocusNextAvailable();
        if (e->nGroupPos == KEY_GROUP_LAST)
            break;
    }
    return FocusSettingsBar(true);
}

bool PropertyPage::focusNextPrevChild(bool next)
{
    QWidget* focus = focusWidget();
    QWidget* current = m_pTabWidget->currentWidget();
    if (!focus || !current)
        return QWidget::focusNextPrevChild(next);

    const bool onTabBar = focus == m_pTabWidget || focus == m_pTabWidget->GetTabBar();
    WPageBase* page = PageBaseOf(current);

    if (!next) {
        if (onTabBar) {
            if (!m_pCenterWid)
                return QWidget::focusNextPrevChild(next);
            m_pCenterWid->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (!page)
            return QWidget::focusNextPrevChild(next);
        KEY_PROPERTY* firstEntry = page->GetFirstAvailable();
        if (!firstEntry)
            return false;
        if (firstEntry->pWidget == focus) {
            m_pTabWidget->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return page->FocusPreAvailable();
    }

    if (onTabBar) {
        if (!page)
            return QWidget::focusNextPrevChild(next);
        if (current == m_pHdmiPage || current == m_pTimingPage) {
            if (!page->FocusFirstAvailable())
                FocusSettingsBar(next);
            return true;
        }
        return page->FocusFirstAvailable();
    }

    if (!page)
        return QWidget::focusNextPrevChild(next);
    KEY_PROPERTY* lastEntry = page->GetLastAvailable();
    if (!lastEntry)
        return false;
    if (lastEntry->pWidget == focus)
        return FocusSettingsBar(next);
    if (current == m_pInfoPage) {
        if (focus->isVisible() && focus->isEnabled())
            return page->FocusNextAvailable();
        return FocusSettingsBar(next);
    }
    if (current == m_pTimingPage) {
        if (!focus->isVisible() || !focus->isEnabled())
            return FocusSettingsBar(next);
        if (focus->inherits("QTableWid"))
            return TimingForwardFromTable(page);
        return page->FocusNextAvailable();
    }
    return page->FocusNextAvailable();
}
