#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace ui {

// Makes a control under the object name the logic knows it by.
template <class W> W* named(QWidget* parent, const QString& name)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

// A command button that never becomes the dialog's default (Enter must not trigger it).
inline QPushButton* button(QWidget* parent, const QString& name, const QString& text = QString())
{
    auto* b = named<QPushButton>(parent, name);
    b->setText(text);
    b->setAutoDefault(false);
    return b;
}

} // namespace ui
