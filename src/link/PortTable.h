#pragma once

#include "SerialLayer.h"

#include <QMap>
#include <QString>

namespace instrument {

// Maps COM numbers to devices: a fixed table for the usual device families, overridden line by line by
// Ports.ini ("COM<n>;<device path>;<type text>;", Windows-1252, CR LF) in the machine-wide settings folder.
class PortTable
{
public:
    struct Entry {
        int number = 0;
        QString device; // empty: no device for this number
        QString type;
        bool pinned = false; // comes from Ports.ini
    };

    static QString portsIniPath();

    // "COM7" -> 7; 0 for anything else.
    static int numberOf(const QString& comName);

    // The fixed table: ttyS<k> = COM<k+1>, ttyUSB<k> = COM<33+k>, ttyACM<k> = COM<49+k>, rfcomm<k> = COM<65+k>.
    static Entry defaultEntry(int number);
    // Inverse of the fixed table for a device file name such as "ttyUSB0"; 0 when it is none of them.
    static int defaultNumber(const QString& deviceName);

    // Lines of Ports.ini by COM number; a missing or unreadable file gives none.
    static QMap<int, Entry> readPortsIni();

    // The entry that wins for a number (Ports.ini over the fixed table), with its type text.
    static Entry resolve(int number);

    // Every COM number whose device exists now, with its device path.
    static QMap<int, QString> presentPorts();

    static PortInfo info(const QString& comName);

private:
    static QString typeText(const QString& device, const QString& prefix);
};

} // namespace instrument
