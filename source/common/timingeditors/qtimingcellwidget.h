#pragma once
// Pieces of the EDID detailed timing dialog: the value cell of one row (a label, a
// spin box or a line edit with its unit), the thirteen-row list that holds the cells
// and the strip that warns about a pixel clock above what the device accepts.

#include <QTableWidget>
#include <QVariant>
#include <QWidget>

class QLabel;
class QLineEdit;
class QSpinBox;

class QTimingCellWidget : public QWidget
{
    Q_OBJECT
public:
    enum Kind : int { KindLabel = 0, KindSpin = 1, KindEdit = 2 };

    explicit QTimingCellWidget(int kind, QWidget* parent = nullptr);
    ~QTimingCellWidget() override;

    void SetCellData(const QVariant& value, const QString& unit, int min, int max);
    // Stores `value` as given (the frame rate keeps its fraction); valid when it lies in
    // min..max compared as integers.
    void SetValue(const QVariant& value);

    int GetKind() const { return m_nKind; }
    bool IsValid() const { return m_bValid; }
    QVariant GetValue() const { return m_value; }
    QWidget* GetEditor() const;   // null for a label
    QString GetShownText() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void itemFocused();
    void valueChanged(QVariant value);

public slots:
    void onSpinValueChanged(int value);
    void onEditTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool InRange(double value) const;

    bool m_bValid = false;
    int m_nKind;
    int m_nMax = 0;
    int m_nMin = 0;
    QVariant m_value;
    QString m_strLastText;
    QLineEdit* m_pLineEdit = nullptr;
    QSpinBox* m_pSpinBox = nullptr;
    QLabel* m_pValueLabel = nullptr;
    QLabel* m_pUnitLabel = nullptr;
};

class QTimingsDetailList : public QTableWidget
{
    Q_OBJECT
public:
    explicit QTimingsDetailList(QWidget* parent = nullptr);
    ~QTimingsDetailList() override;
};

class QWarningWidget : public QWidget
{
    Q_OBJECT
public:
    QWarningWidget(double maxClock, QWidget* parent = nullptr);
    ~QWarningWidget() override;

    // Shows the clock against the ceiling; the icon only when it cannot be written (above
    // the ceiling, or a 0 clock field). True when it can.
    bool SetPixelClock(double current);
    QString GetText() const;
    bool IsWarningShown() const;

private:
    double m_dCurrent = 0;
    double m_dMax;
    QLabel* m_pIconLabel;
    QLabel* m_pTextLabel;
};
