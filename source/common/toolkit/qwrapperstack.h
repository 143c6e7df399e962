#pragma once
// The tab stack that lives in pages: its tab buttons join the page's focus list
// (see wpagebase.h) as one Tab stop.

#include <QHBoxLayout>
#include <QStackedLayout>
#include <QString>
#include <QVBoxLayout>
#include <QVector>
#include <QWidget>

class WPushButton;

// A row of checkable tab buttons over a stack of pages of which one is shown.
// Build: construct, AddSubWidget() per page (first/last flags), SetMainWidget() once.
// Rebuild: Clear(), AddSubWidget() again, SetCurrentIndex(0).
class QWrapperStack : public QWidget {
    Q_OBJECT
public:
    explicit QWrapperStack(QWidget* parent = nullptr);
    ~QWrapperStack() override;

    void AddSubWidget(QWidget* page, QString title, bool first, bool last);
    void SetMainWidget();
    void SetCurrentIndex(int index);
    // Deletes the tab buttons (taking them out of the focus list they are in),
    // keeps the pages as children.
    void Clear();
    WPushButton* GetStackTabBtn(int i) const;
    QWidget* GetStackTabWid(int i) const;
    int GetCurrentIndex() const { return m_nCurIndex; }
    int GetStackCount() const { return m_vecButtons.size(); }

signals:
    void sigIndexChanged(int nIndex);

public slots:
    void OnButtonClicked();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void ShowIndex(int index);

    QVBoxLayout* m_pMainLayout = nullptr;
    QHBoxLayout* m_pButtonLayout = nullptr;
    QStackedLayout* m_pStackLayout = nullptr;
    QVector<WPushButton*> m_vecButtons;
    QVector<QWidget*> m_vecPages;
    int m_nCurIndex = -1;
    bool m_bInstalled = false;
};
