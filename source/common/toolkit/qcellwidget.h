#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// One entry of a list table: the entry's text and a 16 x 16 image button at
// its right. The toggle kind marks the default entry (checkable button); the
// remove kind deletes an entry the user added. A cell that holds no entry is
// "not valid": the keyboard table never moves onto it and ignores Space on it.
class QCellWidget : public QWidget
{
    Q_OBJECT
public:
    // `kind` true: toggle kind (default marker); false: remove kind.
    QCellWidget(bool kind, bool lastRow, QWidget* parent);

    void InitCellWidget(const QString& text, bool checked, bool enabled);
    void ReSetCellWidget();
    void SetCellBtnChecked(bool checked);
    void SetLastOne(bool last);

    // Invokable so that the focus model can ask through the meta-object system.
    Q_INVOKABLE bool IsCellWidgetValid() const { return m_bValid; }
    bool IsSelected() const { return m_bKind; }   // true for the toggle kind
    bool IsButtonEnabled() const;
    bool IsLastOne() const { return m_bLastRow; }

    QString GetText() const;
    QPushButton* GetButton() const { return m_pButton; }

signals:
    void toggled();
    void removed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_pLabel;
    QPushButton* m_pButton;
    const bool m_bKind;
    bool m_bValid = false;
    bool m_bLastRow;
};
