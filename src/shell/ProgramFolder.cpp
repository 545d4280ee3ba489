#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

namespace {
bool holdsKonfi(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/Konfi.ini")).isFile();
}
} // namespace

QString ProgramFolder::locate(const QString& executableDir)
{
    const QString exe = QDir::cleanPath(executableDir);
    if (holdsKonfi(exe))
        return exe;
    const QString installed = QDir::cleanPath(exe + QStringLiteral("/../share/") + installedName());
    if (holdsKonfi(installed))
        return installed;
    return exe;
}

} // namespace shell
