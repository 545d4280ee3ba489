#pragma once

#include <QPushButton>
#include <QStringList>

namespace ui {

// A push button with room around its caption. The style's own size leaves a long caption ("In Datei speichern")
// touching the button's edges.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

    // The button keeps the size of the largest of these captions whatever it shows, so a caption that changes
    // (the limits in three lines, "Chart" and "Stat") moves nothing around it.
    void keepRoomFor(const QStringList& captions);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize captionSize(const QString& caption) const;

    QStringList m_room;
};

} // namespace ui
