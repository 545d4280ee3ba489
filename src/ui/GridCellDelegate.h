#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace ui {

// Paints the grid's cells: background, then the text laid out once and kept. The grid is repainted after every
// online value, and the general item delegate lays out each visible cell's text anew for every paint, which at the
// line's fastest pace costs more time than there is between two values. Texts too wide for their cell, focus and
// selection take the general path.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;

    mutable QHash<QString, QStaticText> m_texts;
    mutable QFont m_font;
};

} // namespace ui
