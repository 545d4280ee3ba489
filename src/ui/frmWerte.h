#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

namespace shell {
struct AppState;
}
namespace table {
class WerteForm;
}

namespace ui {

class FormBinder;

// The limits dialog: minimum, maximum, target value and the 80/20 switch. Not modal; its logic is
// table::WerteForm, its controls mirror the frmWerte form state.
class frmWerte : public QDialog
{
    Q_OBJECT
public:
    frmWerte(shell::AppState& st, table::WerteForm& logic, QWidget* parent = nullptr);

signals:
    void hidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leaveBox(QLineEdit* box);
    bool checkPendingBox(); // a box left just now whose check has not run yet

    QPointer<QLineEdit> m_pending;
    shell::AppState& m_st;
    table::WerteForm& m_logic;
    FormBinder* m_binder = nullptr;
    bool m_checking = false;
};

} // namespace ui
