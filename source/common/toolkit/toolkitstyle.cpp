#include "toolkit/toolkitstyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace toolkit {

QStyle* fusionStyle()
{
    // Parented to the application so it goes with it; a QPointer so that a widget
    // built under a later application object gets a fresh style, never a deleted one.
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        if (style && qApp)
            style->setParent(qApp);
    }
    return style;
}

void repolish(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

} // namespace toolkit
