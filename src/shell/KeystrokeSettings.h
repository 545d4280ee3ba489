#pragma once

#include <QString>

namespace shell {

// Keystroke forwarding of online values: what Tastatur.ini holds, and the receiving program of this run.
struct KeystrokeSettings {
    bool tastaturAktiv = false;
    QString anwendung;      // path of the receiving program
    QString tastenOptionen; // four flags "0"/"1": number, date, unit, material
    QString zeilenende;     // "ENTER" or empty
    bool anwendungGestartet = false;
    qint64 anwendungTask = 0; // process id of the started program
};

} // namespace shell
