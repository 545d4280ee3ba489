#pragma once

#include <QObject>
#include <QString>

namespace shell {
struct AppState;
class FormState;
} // namespace shell

namespace table {

// The logic of the limits dialog frmWerte: fills the boxes, checks each entry as the box is left,
// keeps the 80/20 settings consistent. The window itself only mirrors the frmWerte form state.
class WerteForm : public QObject
{
    Q_OBJECT
public:
    explicit WerteForm(shell::AppState& st, QObject* parent = nullptr);

    shell::FormState& form();

    void Form_Activate();

    // Leaving a box; false when the entry is refused (the focus stays in the box).
    bool txtMinLimit_LostFocus();
    bool txtMaxLimit_LostFocus();
    bool txtSoll_LostFocus();

    void chk8020_Click();
    void cmdLoeschen_Click();
    void cmdSpeichern_Click();
    void cmdInfo_Click();
    void Pruefen8020();

    // Saved with cmdSpeichern, not yet applied to the table.
    bool wertechanged = false;

signals:
    void closeRequested();

private:
    bool validate(const QString& box, double& limit, QString& limitText);

    shell::AppState& m_st;
};

} // namespace table
