#pragma once

#include <QString>

namespace table {

// Object names of the keystroke forwarding dialog and its controls, shared by logic, window and tests.
struct TastaturNames {
    static inline const QString form = QStringLiteral("frmTastatur");
    // The frame has its own name: under the window's name the window would be found instead of it.
    static inline const QString fraTastatur = QStringLiteral("fraTastatur");
    static inline const QString lblTE = QStringLiteral("lblTE");
    static inline const QString chkTastatur = QStringLiteral("chkTastatur");
    static inline const QString lblAnwendung = QStringLiteral("lblAnwendung");
    static inline const QString txtAnwendung = QStringLiteral("txtAnwendung");
    // Not "frmWerte": that is the limits window.
    static inline const QString fraWerte = QStringLiteral("fraWerte");
    static inline const QString chkNr = QStringLiteral("chkNr");
    static inline const QString chkDatum = QStringLiteral("chkDatum");
    static inline const QString chkEinheit = QStringLiteral("chkEinheit");
    static inline const QString chkMaterial = QStringLiteral("chkMaterial");
    static inline const QString frmZeilenEnde = QStringLiteral("frmZeilenEnde");
    static inline const QString optEnter = QStringLiteral("optEnter");
    static inline const QString optKeins = QStringLiteral("optKeins");
    static inline const QString cmdOk = QStringLiteral("cmdOk");
};

} // namespace table
