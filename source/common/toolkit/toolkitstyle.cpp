#include "toolkit/toolkitstyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace toolkit {

QStyle* fusionStyle()
{
    // Parented to the application so it goes with it; widgets never outlive it.
    static QStyle* style = [] {
        QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"));
        if (s && qApp)
            s->setParent(qApp);
        return s;
    }();
    return style;
}

void repolish(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

} // namespace toolkit
