#pragma once

#include "toolkit/wpagebase.h"

#include <QTableWidget>

// A table whose cells hold widgets, driven from the keyboard: the arrow keys
// move between cells but never onto a cell that shows nothing, every keyboard
// move is reported with sigKeyNextCell, Space works the button of a list
// cell, and the table is one stop of its page's focus list.
class QTableWid : public QTableWidget
{
    Q_OBJECT
public:
    explicit QTableWid(QWidget* parent = nullptr);
    QTableWid(int rows, int columns, QWidget* parent = nullptr);

    // Focus trio (table flags 1).
    void GetDefaultProperty(KEY_PROPERTY* p);
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

    // True when the widget of (row, column) shows something: a label with text,
    // a valid list cell, or any other widget. False for no widget at all.
    bool CellShowsContent(int row, int column) const;

signals:
    void sigKeyNextCell(int nRow, int nColumn);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Init();
    void HandleSpace();

    KEY_PROPERTY m_property;
};
