#pragma once
// Shared by the page suites: one emulated device made current, the report section
// parsed by an independent HTML parser, the rows a status table shows, the transfer log.

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QStyleFactory>

#include "lvemulatortest.h"
#include "lvpagetestsupport.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappertablewidget.h"

namespace pagetest {

using lvtest::DevicePtr;
using lvtest::TransferRecord;
using lvtest::put;

// Unplugs every device, then plugs one with the stock content and makes it current.
inline DevicePtr plugStock()
{
    return lvtest::plugCurrent();
}

inline DevicePtr startWithDevice()
{
    lvtest::startPresenter();
    return plugStock();
}

inline void resetPending()
{
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

// Ids of the transfers of one direction, in order.
inline QList<int> ids(const DevicePtr& dev, TransferRecord::Direction direction)
{
    QList<int> out;
    for (const TransferRecord& t : lvtest::transfersOf(dev, direction))
        out << t.id;
    return out;
}

// "label=value" per row of a report section (sub-titles as "#title"), via html5lib.
inline QStringList reportRows(const QString& html)
{
    QProcess python;
    python.start("/usr/bin/python3", {QStringLiteral(LV_INPUT_TEST_DIR "/input_reportrows.py")});
    python.write(html.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished(30000);
    QStringList out;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        const QJsonArray cells = row.toArray();
        out << (cells[0].toString() == "#" ? "#" + cells[1].toString()
                                           : cells[0].toString() + "=" + cells[1].toString());
    }
    return out;
}

// "label=value" per row of a status table (the full value when elided), empty rows
// only when asked.
inline QStringList tableRows(QWrapperTableWidget* table, bool keepEmpty = false)
{
    QStringList out;
    for (int r = 0; r < table->m_pTable->rowCount(); ++r) {
        auto* name = qobject_cast<QLabel*>(table->m_pTable->cellWidget(r, 0));
        auto* value = qobject_cast<QLabel*>(table->m_pTable->cellWidget(r, 1));
        const QString v = value->toolTip().isEmpty() ? value->text() : value->toolTip();
        if (keepEmpty || !name->text().isEmpty() || !v.isEmpty())
            out << name->text() + "=" + v;
    }
    return out;
}

// With the program's own style sheet, as a person would see the page.
inline void screenshot(QWidget* w, const QString& name)
{
    if (qApp->styleSheet().isEmpty()) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        lvtest::applyProgramLook();
    }
    w->resize(w->sizeHint().expandedTo(QSize(760, 580)));
    w->grab().save(QStringLiteral(LV_SCREENSHOT_DIR "/") + name + ".png");
}

} // namespace pagetest
