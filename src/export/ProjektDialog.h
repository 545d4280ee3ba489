#pragma once

#include <QObject>

namespace shell {
struct AppState;
class FormState;
} // namespace shell

namespace reports {

// Logic of the project dialog frmProjekt: six labelled free-text fields, a date and a time, kept in
// Projektdaten.ini, labels from Projekt.ini. Works on the frmProjekt form state; the window only shows it.
class ProjektDialog : public QObject
{
    Q_OBJECT
public:
    explicit ProjektDialog(shell::AppState& st, QObject* parent = nullptr);

    shell::FormState& form();

    // cmdProjekt on the main window: labels and values from their files, then the dialog is shown.
    void cmdProjekt_Click();
    // Captions in the current language; an unset date becomes today, an unset time the current time.
    void Form_Activate();
    void cmdLoeschen_Click();
    void cmdSpeichern_Click();

signals:
    void showRequested();
    void hideRequested();

private:
    shell::AppState& m_st;
};

} // namespace reports
