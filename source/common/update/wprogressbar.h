#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// One phase of a firmware upgrade: a caption over a thin bar (0 to 100).
class WProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit WProgressBar(QWidget* parent = nullptr);

    void SetText(const QString& text, const QColor& colour);
    void SetValue(int value);

    QString GetText() const;
    int GetValue() const;

private:
    QLabel* m_pCaption = nullptr;
    QProgressBar* m_pBar = nullptr;
};
