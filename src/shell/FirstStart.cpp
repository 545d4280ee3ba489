#include "FirstStart.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace shell {

namespace {

void makeFolder(const QString& path, FirstStart::Result& result)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    if (QDir().mkpath(path))
        result.created << path;
    else
        result.failed << path + QStringLiteral(": the folder cannot be created");
}

void writeProjekt(const QString& messDataPath, FirstStart::Result& result)
{
    if (!QFileInfo(messDataPath).isDir())
        return; // already reported by makeFolder
    const QString path = messDataPath + QStringLiteral("/Projekt.ini");
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return;
    const TextFile::Result r = TextFile::writeLines(path, FirstStart::defaultLabels());
    if (r.ok)
        result.created << path;
    else
        result.failed << path + QStringLiteral(": ") + r.error;
}

void copyManuals(const QString& programFolder, const QString& appDataPath, FirstStart::Result& result)
{
    if (programFolder.isEmpty() || !QFileInfo(appDataPath).isDir())
        return;
    // The program folder is the build folder when run from there: never copy a manual onto itself.
    if (QFileInfo(programFolder).canonicalFilePath() == QFileInfo(appDataPath).canonicalFilePath())
        return;
    const QDir source(programFolder);
    const QStringList names = source.entryList(FirstStart::manualPatterns(), QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
        const QString target = appDataPath + QLatin1Char('/') + name;
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        // QFile::copy writes a temporary file and renames it, so a failed copy leaves no half manual behind.
        QFile from(source.filePath(name));
        if (from.copy(target))
            result.created << target;
        else
            result.failed << target + QStringLiteral(": ") + from.errorString();
    }
}

} // namespace

const QStringList& FirstStart::defaultLabels()
{
    static const QStringList labels = {
        QStringLiteral("Kunde;Customer;"),   QStringLiteral("Objekt;Object;"), QStringLiteral("Bauteil;Part;"),
        QStringLiteral("Prüfer;Inspector;"), QStringLiteral("Ort;Location;"),  QStringLiteral("Bemerkung;Remark;"),
    };
    return labels;
}

const QStringList& FirstStart::manualPatterns()
{
    static const QStringList patterns = {QStringLiteral("DE_Manual_*_TRANSFER.pdf"),
                                         QStringLiteral("EN_Manual_*_TRANSFER.pdf")};
    return patterns;
}

FirstStart::Result FirstStart::run(const Folders& folders)
{
    Result result;
    makeFolder(folders.AppDataPath, result);
    makeFolder(folders.MessDataPath, result);
    writeProjekt(folders.MessDataPath, result);
    copyManuals(folders.programFolder, folders.AppDataPath, result);
    return result;
}

} // namespace shell
