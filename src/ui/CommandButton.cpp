#include "CommandButton.h"

namespace ui {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

QSize CommandButton::sizeHint() const
{
    QSize s = QPushButton::sizeHint();
    if (!text().isEmpty())
        s.rwidth() += fontMetrics().averageCharWidth() * 2;
    return s;
}

QSize CommandButton::minimumSizeHint() const
{
    return sizeHint();
}

} // namespace ui
