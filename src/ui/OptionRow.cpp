#include "OptionRow.h"

#include <QEvent>
#include <QStyle>

#include <algorithm>

namespace ui {

OptionRow::OptionRow(QWidget* parent, int minimumButtonWidth)
    : QWidget(parent), m_minimumButtonWidth(minimumButtonWidth)
{
    // The window never widens for a long caption; the row takes what the window gives it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QList<QWidget*> OptionRow::buttons() const
{
    QList<QWidget*> list;
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isHidden())
            list << w;
    return list;
}

QSize OptionRow::sizeHint() const
{
    return minimumSizeHint();
}

QSize OptionRow::minimumSizeHint() const
{
    const QList<QWidget*> list = buttons();
    int height = 0;
    for (QWidget* b : list)
        height = std::max(height, b->sizeHint().height());
    const int gap = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int n = static_cast<int>(list.size());
    return {n * m_minimumButtonWidth + std::max(n - 1, 0) * std::max(gap, 0), height};
}

void OptionRow::arrange()
{
    const QList<QWidget*> list = buttons();
    const int gap = std::max(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing), 0);
    const int n = static_cast<int>(list.size());
    // Every button keeps its minimum; what is left goes to the captions in order, so the first ones show whole.
    int spare = width() - n * m_minimumButtonWidth - std::max(n - 1, 0) * gap;
    int x = 0;
    for (QWidget* b : list) {
        const int want = std::max(b->sizeHint().width(), m_minimumButtonWidth);
        const int extra = std::clamp(want - m_minimumButtonWidth, 0, std::max(spare, 0));
        spare -= extra;
        const int w = m_minimumButtonWidth + extra;
        b->setGeometry(x, 0, w, height());
        x += w + gap;
    }
}

bool OptionRow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        // A button shown or hidden changes the row as much as a new caption does.
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        break;
    case QEvent::LayoutRequest:
    case QEvent::Resize:
    case QEvent::Show:
        arrange();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool OptionRow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        arrange();
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
