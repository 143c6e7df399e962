#ifndef PROPERTYPAGE_H
#define PROPERTYPAGE_H

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include "device/ilumivandrexnotify.h"

class SettingsBar;
class WCenterWid;
class WPageBase;
class WTabWidget;
class WTabPageInfo;
class WTabPageVideo;
class WTabPageVolume;
class WTabPageInput;
class WTabPageAdvanced;
class WTabPageHdmi;
class WTabPageTiming;
class QWrapperStack;

// The middle of the main window: the tab widget with the seven pages. It owns
// the pages for its whole life (tabs come and go, pages stay), decides from the
// feature report 0xFF which pages are tabs, refreshes them from the device,
// walks the keyboard focus between title bar, tab bar, page and settings bar,
// and assembles the pages' report fragments.
//
// GUI thread only. The reload operations hold the presenter lock for their
// whole run (recursive: pages take it again inside InitPage).
class PropertyPage : public QWidget, public ILumivandrexNotify
{
    Q_OBJECT
public:
    // Feature bits of report 0xFF that add optional pages.
    enum FeatureBit : unsigned int {
        FEATURE_HDMI = 1u << 0,
        FEATURE_TIMING = 1u << 1,
        FEATURE_VOLUME = 1u << 2,
    };

    explicit PropertyPage(QWidget* parent = nullptr);
    ~PropertyPage() override;

    void ReloadTabWidget(bool reset);
    void ShowPropertyPage();
    void ReloadPropertyPage(bool partial);
    // The current device answers again after reads of it failed: every page reads it
    // again (queued after the poll) and the tab set follows its features, with no write,
    // no question, the page shown and the focus kept, and pending changes still pending.
    void OnCurrentDeviceAnswering() override;

    // Start-up: from now until FinishDeferredLoad(), the pages other than Info
    // are not built (their tabs show the same titles over empty stand-ins) and a
    // reload fills only the current page, which is what the first paint shows.
    // FinishDeferredLoad() builds and puts in the pages and fills the others, each
    // once, for the same device.
    void DeferOtherPages();
    void FinishDeferredLoad();
    // The report body: page fragments, closing divs and the side bar; empty
    // without a current device. Presenter lock held for the whole run.
    QString ExportInfo();

    // Keyboard walk targets, set by the main window once all bars exist.
    void SetSettingsBar(SettingsBar* bar) { m_pSettingsBar = bar; }
    void SetCenterWidget(WCenterWid* centre) { m_pCenterWid = centre; }

    WTabWidget* GetTabWidget() const { return m_pTabWidget; }
    WTabPageInfo* GetInfoPage() const { return m_pInfoPage; }
    // The pages other than Info are built on first use (see DeferOtherPages()),
    // and a deferred load is finished first: callers always get a filled page.
    WTabPageVideo* GetVideoPage() const { return Built(m_pVideoPage); }
    WTabPageVolume* GetVolumePage() const { return Built(m_pVolumePage); }
    WTabPageInput* GetInputPage() const { return Built(m_pInputPage); }
    WTabPageAdvanced* GetAdvancedPage() const { return Built(m_pAdvancedPage); }
    WTabPageHdmi* GetHdmiPage() const { return Built(m_pHdmiPage); }
    WTabPageTiming* GetTimingPage() const { return Built(m_pTimingPage); }

    // The tab titles (untranslated source texts) for a feature word, in order.
    static QStringList TabTitlesFor(unsigned int features);

signals:
    // The Timing or HDMI page hands the focus back to the settings bar.
    void signal_resetFocus();

public slots:
    void OnTabCurChanged(int nIndex);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // Presenter lock held by the caller. Returns true with a current device;
    // without one, the Info page is refreshed when `refreshInfo` says so.
    bool BuildTabSet(bool keepIndex, bool refreshInfo = true);
    // The tabs of a device with `features`; the caller picks the current one.
    void ShowTabs(unsigned int features);
    void ReloadAnsweringDevice();
    // Where the keyboard focus is, told so that a reload can put it back.
    struct FocusPlace {
        QPointer<QWidget> widget;
        bool inPages = false;               // the tab bar or a page
        QPointer<QWrapperStack> stack;      // when on an inner tab button: its stack
        int tabButton = -1;                 // and its index
    };
    FocusPlace RememberFocus() const;
    void RestoreFocus(const FocusPlace& place);
    void SetPagesKeepPlace(bool keep);
    unsigned int ReadFeatures();
    void EnsurePages();
    // A page member once the pages exist and are filled.
    template <class Page>
    Page* Built(Page* const& page) const
    {
        auto* self = const_cast<PropertyPage*>(this);
        self->FinishDeferredLoad();
        self->EnsurePages();
        return page;
    }
    // Page by place in the full tab order: Info, Video, Volume, Input, HDMI, Timing, Advanced.
    static constexpr int kPageSlots = 7;
    QWidget* PageOf(int slot) const;
    void AddPageTab(int slot, const QString& title);
    void SwapInPages();
    // InitPage of the pages a reload fills. Presenter lock held by the caller. With
    // `keepState` the same device is read again: the update cell, the pending-change
    // state and each page's inner tabs stay as they are.
    void LoadPages(unsigned int features, bool partial, bool keepState = false);
    // Whether this pass fills `page` (see DeferOtherPages()).
    bool Loads(QWidget* page);
    WPageBase* PageBaseOf(QWidget* page) const;
    bool FocusSettingsBar(bool next);
    bool TimingForwardFromTable(WPageBase* page);

    WTabWidget* m_pTabWidget = nullptr;
    WTabPageInfo* m_pInfoPage = nullptr;
    WTabPageVideo* m_pVideoPage = nullptr;
    WTabPageVolume* m_pVolumePage = nullptr;
    WTabPageInput* m_pInputPage = nullptr;
    WTabPageAdvanced* m_pAdvancedPage = nullptr;
    WTabPageHdmi* m_pHdmiPage = nullptr;
    WTabPageTiming* m_pTimingPage = nullptr;
    unsigned int m_nFeatures = 0;           // of the tab set shown
    bool m_bDeferOthers = false;
    bool m_bDeferred = false;               // a pass left pages for FinishDeferredLoad()
    bool m_bDeferredPartial = false;
    bool m_bFinishing = false;
    QSet<QWidget*> m_loadedEarly;
    QHash<QWidget*, int> m_placeholders;    // stand-in tab -> page slot
    SettingsBar* m_pSettingsBar = nullptr;  // not owned
    WCenterWid* m_pCenterWid = nullptr;      // not owned
};

#endif // PROPERTYPAGE_H
