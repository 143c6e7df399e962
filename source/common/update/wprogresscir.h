#pragma once

#include <QWidget>

class QLabel;

// The round progress of a firmware upgrade: a gradient ring that fills clockwise
// from 12 o'clock as the value (degrees, 0 to 360) grows, with a text in its middle.
class WProgressCir : public QWidget
{
    Q_OBJECT
public:
    explicit WProgressCir(QWidget* parent = nullptr);

    void SetValue(int degrees);
    void SetText(const QString& text);
    void SetImgVisible(bool visible);

    int GetValue() const { return m_nValue; }
    QString GetText() const { return m_strText; }
    bool IsImgVisible() const;

    // Colour of the end cap at `degrees`: ring start to middle over the first half
    // turn, back to the start over the second.
    static QColor EndCapColour(int degrees);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_pRightArrow = nullptr;
    QLabel* m_pUpArrow = nullptr;
    int m_nValue = 0;
    QString m_strText;
};
