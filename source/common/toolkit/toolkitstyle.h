#pragma once
// Helpers shared by the toolkit's controls (not for use outside the toolkit).

class QStyle;
class QWidget;

namespace toolkit {

// The "Fusion" style shared by every control that asks for it (QWidget::setStyle
// does not take ownership, so one instance serves them all).
QStyle* fusionStyle();

// Re-applies style sheets after a dynamic property that a selector reads changed.
void repolish(QWidget* widget);

} // namespace toolkit
