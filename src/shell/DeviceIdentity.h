#pragma once

#include <QString>

namespace shell {

// Who the instrument is: the edition code until an identification overwrites it with the instrument's own
// variant, and what the identification answered. Written by start-up and the identification.
struct DeviceIdentity {
    QString geraet;
    QString memoryMode = QString(2, QChar(0)); // "1", "2", "3", "X", refined to "2E" / "2N"
    QString geraetesoftware;
    int speichernr = 0;
    QString macadr;
    QString sondentyp;
    QString sondenversion;
    int memory1Count = 0;
    int memory2Count = 0;
};

} // namespace shell
