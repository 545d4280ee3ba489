#pragma once

#include "shell/FormState.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

namespace ui {

// Mirrors a FormState onto the widgets (and menu actions) of one window, found by object name,
// and passes the user's edits back.
class FormBinder : public QObject
{
    Q_OBJECT
public:
    FormBinder(shell::FormState& state, QWidget* window);

    // Applies the whole current state (after the widgets are built).
    void applyAll();

    QObject* find(const QString& name);

private:
    void apply(const QString& name);
    void watchUserEdits();

    shell::FormState& m_state;
    QWidget* m_window;
    QHash<QString, QPointer<QObject>> m_cache;
};

} // namespace ui
