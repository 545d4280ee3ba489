#pragma once

#include "Dialogs.h"
#include "FormState.h"
#include "Texte.h"
#include "TransferLog.h"

#include <QColor>
#include <QString>

namespace shell {

// The program's shared state for the whole run: edition, folders, settings, connection flags and
// device identity. Owned once (by the main window or the command-line tool) and handed to every
// subsystem.
struct AppState {
    // Program identity and edition.
    QString appPath; // folder of the executable
    QString versnr = QStringLiteral("V3.1");
    QString geraet;
    QString pgmname;
    QString kpgmname;
    QString programTitle;
    QString variantCode;
    QString companyName;
    QString modelPicture;   // file name of the model picture, "" when the edition has none
    bool largeDisplay = false;
    QString windowIconPath; // partner icon for every window, "" for the standard one

    // Capability fields: fixed width, characters of code 0 until set.
    QString memoryMode = QString(2, QChar(0));
    QString interfaceKind = QString(1, QChar(0));
    QString deviceLine = QString(1, QChar(0));
    QString materialMode = QString(1, QChar(0));
    QString signMode = QString(1, QChar(0));

    QString AppDataPath;
    QString MessDataPath;
    QString heuteDatum;

    // Colours of the table cells.
    const QColor farbeGrau{204, 204, 204};
    const QColor farbeWeiss{255, 255, 255};
    const QColor farbeGruen{158, 232, 155};
    const QColor farbeRot{239, 162, 162};
    const QColor farbeOrange{242, 180, 123};

    // Instrument commands.
    const QString cmdReadMemory1 = QStringLiteral("$kova10$\r\n");
    const QString cmdReadMemory2 = QStringLiteral("$kova11$\r\n");
    const QString cmdIdentify = QStringLiteral("$kova00$\r\n");

    // Settings files.
    QString aktion;
    QString Errortext;
    QString portNumber;
    double Emin = 0;
    double Emax = 0;
    double Esoll = 0;
    bool E8020 = false;
    QString EminStr;
    QString EmaxStr;
    QString EsollStr;
    bool tastaturAktiv = false;
    QString anwendung;
    QString tastenOptionen;
    QString zeilenende;
    bool anwendungGestartet = false;
    qint64 anwendungTask = 0;
    QString helpFile;
    // Settings files are read but never written or created (runs that must leave them as they are).
    bool settingsReadOnly = false;

    // Connection and transfer flags.
    bool CheckConnect = false;
    bool abgeschaltet = false;
    bool SchalterStop = false;
    bool transferComplete = false;
    bool onlineFileSaved = true;
    bool absolut = true;
    int messart = 0;

    // Device identity.
    QString geraetesoftware;
    int speichernr = 0;
    QString macadr;
    QString sondentyp;
    QString sondenversion;
    int memory1Count = 0;
    int memory2Count = 0;

    Texte texte;
    Forms forms;
    TransferLog log;
    Dialogs* dialogs = nullptr;

    // Shorthands.
    int sprache() const { return texte.sprache; }
    bool english() const { return texte.sprache != 0; }
    QString msg(int entry) const { return texte.msg(entry); }
    FormState& main() { return forms[QStringLiteral("frmTransfer")]; }
    void WriteLog(const QString& text) const { log.WriteLog(text); }

    // Message box with the application title; answers Ok when no dialog front end is attached.
    Dialogs::Answer messageBox(const QString& text, Dialogs::Buttons buttons = Dialogs::Buttons::Ok,
                               Dialogs::Icon icon = Dialogs::Icon::None, const QString& title = QString());
};

} // namespace shell
