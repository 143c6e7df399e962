#pragma once

#include <QColor>
#include <QWidget>

class QPushButton;
class WCheckBox;

// The program's focusable check box followed by its text. The text is a flat
// push button so that a click on it toggles the box as well; colours,
// alignment and margin are the caller's, to blend into the panel around it.
class QWrapperCheckBox : public QWidget
{
    Q_OBJECT
public:
    // `alignLeft`: text aligned left (true) or right (false); `margin`: the
    // check box's left margin in pixels.
    QWrapperCheckBox(const QString& text, bool alignLeft, const QColor& textColor,
                     const QColor& background, int margin, QWidget* parent);
    ~QWrapperCheckBox() override;

    void SetChecked(bool checked);   // does not emit clicked()
    bool IsChecked() const;
    void SetText(const QString& text);
    WCheckBox* GetCheckBox() const { return m_pCheckBox; }

    // The owner puts the box into its page's focus list through it.
    WCheckBox* m_pCheckBox;
    QPushButton* m_pTextButton;

signals:
    void clicked();

public slots:
    void OnButtonClicked();
};
