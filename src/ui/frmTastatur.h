#pragma once

#include <QDialog>

namespace table {
class TastaturForm;
}

namespace ui {

class FormBinder;

// The keystroke forwarding dialog. Not modal; its logic is table::TastaturForm, its controls mirror
// that form's state.
class frmTastatur : public QDialog
{
    Q_OBJECT
public:
    explicit frmTastatur(table::TastaturForm& logic, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    table::TastaturForm& m_logic;
    FormBinder* m_binder = nullptr;
};

} // namespace ui
