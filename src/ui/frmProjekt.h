#pragma once

#include <QDialog>

namespace shell {
struct AppState;
}
namespace reports {
class ProjektDialog;
}

namespace ui {

class FormBinder;

// The project dialog: six labelled text fields, a date and a time. Not modal; its logic is
// reports::ProjektDialog, its controls mirror the frmProjekt form state.
class frmProjekt : public QDialog
{
    Q_OBJECT
public:
    frmProjekt(shell::AppState& st, reports::ProjektDialog& logic, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    reports::ProjektDialog& m_logic;
    FormBinder* m_binder = nullptr;
};

} // namespace ui
