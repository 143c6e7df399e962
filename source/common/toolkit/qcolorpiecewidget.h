#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QLayout;

// A titled panel of the pages: a framed dark block with a bold title, a
// separator under the title and the caller's layout below it.
class QColorPieceWidget : public QWidget
{
    Q_OBJECT
public:
    QColorPieceWidget(const QString& title, QLayout* content, QWidget* parent);

    void SetTitleText(const QString& title);
    // `normal` true puts the title back to its usual colour and ignores `color`.
    void SetTitleTextColor(const QColor& color, bool normal);

    QLabel* GetTitleLabel() const { return m_pTitle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTitleColor(const QColor& color);

    QLabel* m_pTitle;
};
