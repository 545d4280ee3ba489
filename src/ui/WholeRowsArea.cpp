#include "WholeRowsArea.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

namespace ui {

WholeRowsArea::WholeRowsArea(QAbstractItemView* view, QWidget* parent) : QWidget(parent), m_view(view)
{
    view->setParent(this);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The scroll bar appearing or the heading changing resize the rows' area without resizing this one.
    view->viewport()->installEventFilter(this);
    setSizePolicy(view->sizePolicy());
}

QSize WholeRowsArea::sizeHint() const
{
    return m_view ? m_view->sizeHint() : QWidget::sizeHint();
}

QSize WholeRowsArea::minimumSizeHint() const
{
    return m_view ? m_view->minimumSizeHint().expandedTo(m_view->minimumSize()) : QWidget::minimumSizeHint();
}

int WholeRowsArea::rowHeight() const
{
    if (auto* table = qobject_cast<QTableView*>(m_view.data()))
        return table->verticalHeader()->defaultSectionSize();
    return 0;
}

void WholeRowsArea::fit()
{
    if (!m_view || m_fitting)
        return;
    m_fitting = true;
    // First the whole area, so the rows' area shows its full height, then cut off what is not a whole row.
    m_view->setGeometry(rect());
    const int row = rowHeight();
    const int rest = row > 0 ? m_view->viewport()->height() % row : 0;
    if (rest > 0)
        m_view->setGeometry(0, 0, width(), height() - rest);
    m_fitting = false;
}

void WholeRowsArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fit();
}

bool WholeRowsArea::eventFilter(QObject* watched, QEvent* event)
{
    if (m_view && watched == m_view->viewport() && event->type() == QEvent::Resize && !m_fitting) {
        const int row = rowHeight();
        if (row > 0 && m_view->viewport()->height() % row != 0)
            fit();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
