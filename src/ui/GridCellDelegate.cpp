#include "GridCellDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace ui {

namespace {
// Enough for every distinct text on a few screens of rows; the cache starts afresh when it is full.
constexpr int kKeptTexts = 4096;
} // namespace

const QStaticText& GridCellDelegate::laidOut(const QString& text, const QFont& font) const
{
    if (font != m_font || m_texts.size() >= kKeptTexts) {
        m_texts.clear();
        m_font = font;
    }
    auto it = m_texts.find(text);
    if (it == m_texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), font);
        it = m_texts.insert(text, laid);
    }
    return *it;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool marked = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
    QFont font = option.font;
    if (const QVariant f = index.data(Qt::FontRole); f.isValid())
        font = f.value<QFont>();
    const QStaticText* laid = text.isEmpty() ? nullptr : &laidOut(text, font);
    if (marked || text.contains(QLatin1Char('\n')) || (laid && laid->size().width() > room.width())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    if (const QVariant back = index.data(Qt::BackgroundRole); back.canConvert<QBrush>())
        painter->fillRect(option.rect, back.value<QBrush>());
    if (!laid)
        return;
    const QVariant fore = index.data(Qt::ForegroundRole);
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    const QColor pen =
        fore.canConvert<QBrush>() ? fore.value<QBrush>().color() : option.palette.color(group, QPalette::Text);
    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) | Qt::AlignVCenter;
    const QRect at = QStyle::alignedRect(option.direction, align, laid->size().toSize(), room);
    painter->save();
    painter->setFont(font);
    painter->setPen(pen);
    painter->drawStaticText(at.topLeft(), *laid);
    painter->restore();
}

} // namespace ui
