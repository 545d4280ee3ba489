#pragma once

#include <QDialog>

namespace shell {
struct AppState;
}

namespace ui {

class FormBinder;

// Device information: model, program and device software, MAC address and probe.
class frmInfo : public QDialog
{
    Q_OBJECT
public:
    frmInfo(shell::AppState& st, QWidget* parent = nullptr);

    // Fills the fields from the current identification.
    void Form_Activate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    shell::AppState& m_st;
    FormBinder* m_binder = nullptr;
};

} // namespace ui
