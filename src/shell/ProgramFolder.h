#pragma once

#include <QString>

namespace shell {

// The folder holding Konfi.ini, the pictures and the manuals. In the build tree that is the executable's own
// folder; an installed program keeps them apart from bin/, in share/varnotek-transfer.
class ProgramFolder
{
public:
    // The executable's folder when it holds Konfi.ini, else <exe>/../share/varnotek-transfer when that holds it,
    // else the executable's folder (start-up then reports the missing Konfi.ini as usual).
    static QString locate(const QString& executableDir);

    // Name of the program folder below the installation prefix's share/.
    static QString installedName() { return QStringLiteral("varnotek-transfer"); }
};

} // namespace shell
