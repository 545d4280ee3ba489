#pragma once

#include <QObject>
#include <QString>

namespace shell {
class Dialogs;
class FormState;
class Texte;
struct KeystrokeSettings;
} // namespace shell

namespace table {

// The logic of the dialog frmTastatur: which program receives the online values, which parts of the
// row are typed and whether Enter ends it. The window only mirrors the form state.
class TastaturForm : public QObject
{
    Q_OBJECT
public:
    TastaturForm(shell::FormState& form, shell::KeystrokeSettings& settings, shell::Dialogs& dialogs,
                 const shell::Texte& texte, QObject* parent = nullptr);

    shell::FormState& form() { return m_form; }

    void Form_Activate();
    void txtAnwendung_Click();
    void cmdOk_Click();

    // text with the character at pos (from 1) replaced by c.
    static QString ZeichenErsetzen(const QString& text, int pos, const QString& c);

signals:
    void settingsConfirmed(); // save Tastatur.ini
    void startRequested();    // start the receiving program
    void closeRequested();

private:
    shell::FormState& m_form;
    shell::KeystrokeSettings& m_settings;
    shell::Dialogs& m_dialogs;
    const shell::Texte& m_texte;
};

} // namespace table
