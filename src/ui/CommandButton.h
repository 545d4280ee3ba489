#pragma once

#include <QPushButton>

namespace ui {

// A push button with room around its caption. The style's own size leaves a long caption ("In Datei speichern")
// touching the button's edges.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace ui
