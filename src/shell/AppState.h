#pragma once

#include "Controls.h"
#include "Desktop.h"
#include "DeviceIdentity.h"
#include "Dialogs.h"
#include "EditionInfo.h"
#include "FormState.h"
#include "InspectionRule.h"
#include "KeystrokeSettings.h"
#include "Limits.h"
#include "LinkFlags.h"
#include "Messart.h"
#include "Phrases.h"
#include "Texte.h"
#include "TransferLog.h"

#include <QString>

namespace shell {

// The program's state for the whole run, in typed parts. The session owns one; each part has one writer:
// the edition start-up, the device identity the identification, the limits and the rule the settings and the
// limits dialog, the keystroke settings their file and dialog, the link flags the link.
struct AppState {
    EditionInfo edition;
    DeviceIdentity device;
    Limits limits;
    InspectionRule rule;     // the rule the limits' check box switches on (Regel.ini)
    RuleStandIn ruleStandIn; // a command line's limits and rule, put over the files whenever they are read
    KeystrokeSettings keys;
    LinkFlags link;

    // Written by the table only (table::TableSession::setMessart); the link asks for a change by signal.
    Messart messart = Messart::Speicher1;
    bool absolut = true;         // statistics and colours over absolute values
    bool onlineFileSaved = true; // false: the next save goes silently to Online.mes
    QString heuteDatum;          // today, "dd.mm.yyyy"

    // Settings files.
    QString aktion;
    QString Errortext;
    QString helpFile;
    // Settings files are read but never written or created (runs that must leave them as they are).
    bool settingsReadOnly = false;

    Texte texte;
    Forms forms;
    TransferLog log;
    Dialogs* dialogs = nullptr;
    Desktop* desktop = nullptr;

    // Shorthands.
    int sprache() const { return texte.sprache; }
    bool english() const { return texte.sprache != 0; }
    QString msg(Msg entry) const { return texte.msg(entry); }
    QString cap(Cap entry) const { return texte.cap(entry); }
    QString stat(Stat entry) const { return texte.stat(entry); }
    // German or English by the current language.
    QString say(Phrase phrase) const { return QString::fromUtf8(phraseText(phrase, english())); }
    int view() const { return viewOf(messart); }
    FormState& main() { return forms[ctl::frmTransfer::form]; }
    void WriteLog(const QString& text) const { log.WriteLog(text); }

    // Message box with the application title; answers Ok (Yes) when no dialog front end is attached.
    Dialogs::Answer messageBox(const QString& text, Dialogs::Buttons buttons = Dialogs::Buttons::Ok,
                               Dialogs::Icon icon = Dialogs::Icon::None, const QString& title = QString());
    // A box that does not wait (Dialogs::notify).
    void notify(const QString& text, Dialogs::Icon icon = Dialogs::Icon::None) const;
};

} // namespace shell
