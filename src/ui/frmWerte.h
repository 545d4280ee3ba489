#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QPointer>

class QGridLayout;
class QGroupBox;

namespace shell {
struct AppState;
}
namespace table {
class WerteForm;
}

namespace ui {

class FormBinder;

// The limits dialog: minimum, maximum, target value, the rule (80/20, 90/10, SSPC-PA 2) with its settings and the
// switch that turns it on. Not modal; its logic is
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
    QGroupBox* limitsFrame();
    QGroupBox* ruleFrame();
    void addBoxes(QGroupBox* frame, QGridLayout* grid, const QList<std::pair<QString, QString>>& boxes, int row);
    bool leaveBox(QLineEdit* box);
    bool checkPendingBox();               // a box left just now whose check has not run yet
    void showChoice(const QString& name); // a list shows the entry its text names

    QPointer<QLineEdit> m_pending;
    shell::AppState& m_st;
    table::WerteForm& m_logic;
    FormBinder* m_binder = nullptr;
    bool m_checking = false;
};

} // namespace ui
