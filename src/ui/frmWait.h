#pragma once

#include <QDialog>

namespace shell {
class FormState;
}

namespace ui {

class FormBinder;

// Progress window shown while the ports are listed at start-up.
class frmWait : public QDialog
{
    Q_OBJECT
public:
    frmWait(shell::FormState& state, QWidget* parent = nullptr);

private:
    shell::FormState& m_state;
    FormBinder* m_binder = nullptr;
};

} // namespace ui
