#include "CommandButton.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace ui {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

void CommandButton::keepRoomFor(const QStringList& captions)
{
    m_room = captions;
    updateGeometry();
}

QSize CommandButton::captionSize(const QString& caption) const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text = caption;
    QSize s =
        style()->sizeFromContents(QStyle::CT_PushButton, &opt, fontMetrics().size(Qt::TextShowMnemonic, caption), this);
    s.rwidth() += fontMetrics().averageCharWidth() * 2;
    return s;
}

QSize CommandButton::sizeHint() const
{
    QSize s = QPushButton::sizeHint();
    if (!text().isEmpty())
        s.rwidth() += fontMetrics().averageCharWidth() * 2;
    for (const QString& caption : m_room)
        s = s.expandedTo(captionSize(caption));
    return s;
}

QSize CommandButton::minimumSizeHint() const
{
    return sizeHint();
}

} // namespace ui
