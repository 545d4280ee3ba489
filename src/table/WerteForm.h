#pragma once

#include <QObject>
#include <QString>

namespace shell {
struct AppState;
class FormState;
} // namespace shell

namespace table {

// The logic of the limits dialog frmWerte: fills the boxes, checks each entry as the box is left,
// keeps the limits consistent with the chosen rule (80/20, 90/10, SSPC-PA 2) and edits the rule's settings. The window
// itself only mirrors the frmWerte form state.
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

    // The rule the check box switches on, and the rule's own settings.
    void cboRegel_Click();
    void cboRauheit_Click();
    // Leaving the area, spot size, spots per area or a spot percentage; false when the entry is refused.
    bool ruleBox_LostFocus(const QString& box);

    // Saved with cmdSpeichern, not yet applied to the table.
    bool wertechanged = false;

signals:
    void closeRequested();

private:
    bool validate(const QString& box, double& limit, QString& limitText);
    // The chosen rule's settings shown, the others hidden; the check box caption and the PA 2 level follow it.
    void showRule();

    shell::AppState& m_st;
};

} // namespace table
