#pragma once

#include <QByteArray>
#include <QString>

// The simulator's own line in $XDG_CONFIG_HOME/Varnotek/Ports.ini ("COM<n>;<device>;<type text>;", CR LF,
// Windows-1252). Other lines are kept byte for byte.
class SimPortsIni
{
public:
    static QString filePath();
    static QByteArray lineFor(int comNumber, const QString& device, const QString& typeText);

    // Adds the line, replacing any line for the same COM number. False with a message on failure.
    static bool addLine(int comNumber, const QString& device, const QString& typeText, QString* error);
    // Removes the COM line, but only while it still names this device (another simulator may have taken it over).
    static bool removeLine(int comNumber, const QString& device, QString* error);

private:
    static bool rewrite(int comNumber, const QByteArray* newLine, const QString& onlyDevice, QString* error);
};
