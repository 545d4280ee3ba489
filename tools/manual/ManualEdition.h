#pragma once

#include <QMap>
#include <QString>

// What a manual needs to know about one edition, taken from its Konfi.ini by the program's own rules, so the
// file names are exactly those Help -> Manual looks for.
struct ManualEdition {
    QString part;    // edition part of the file name, "BREVO_Line_Tool"
    QString model;   // "BREVO Line Tool"
    QString title;   // "BREVO Line Tool TRANSFER"
    QString picture; // model picture file name, "RD.gif"
    // Placeholders (@NAME@) and condition values (<!-- if NAME VALUE... -->), by name.
    QMap<QString, QString> values;

    // Reads <folder>/Konfi.ini. On failure returns false and sets error.
    static bool load(const QString& folder, ManualEdition& edition, QString& error);
};
