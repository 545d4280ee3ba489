#pragma once

#include <QColor>
#include <QString>

namespace shell {

// What start-up derives from Konfi.ini: title, pictures, capability fields and data folders. Written by start-up
// only; fixed for the rest of the run.
struct EditionInfo {
    QString appPath; // program folder: Konfi.ini, pictures, icon, manuals
    QString versnr = QStringLiteral("V3.1");
    QString pgmname;
    QString kpgmname;
    QString programTitle;
    QString variantCode;
    QString companyName;
    QString modelPicture; // file name of the model picture, "" when the edition has none
    bool largeDisplay = false;
    QString windowIconPath; // partner icon for every window, "" for the standard one

    // Capability fields: fixed width, characters of code 0 until set. memoryMode is refined by the
    // identification and lives with the device identity.
    QString interfaceKind = QString(1, QChar(0));
    QString deviceLine = QString(1, QChar(0));
    QString materialMode = QString(1, QChar(0));
    QString signMode = QString(1, QChar(0));

    QString AppDataPath;
    QString MessDataPath;

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
};

} // namespace shell
