#include "OutputFiles.h"

#include <QDir>
#include <QFileInfo>

namespace reports::OutputFiles {

QString safe(const QString& text)
{
    static const QString kUnsafe = QStringLiteral("/\\:*?\"<>|");
    QString out = text.trimmed().left(100);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || kUnsafe.contains(c))
            c = QLatin1Char('_');
    return out;
}

QString fileName(const QString& tableName, const QDateTime& when, const QString& extension)
{
    return QStringLiteral("Messwerte_") + safe(tableName) + QLatin1Char('_') +
           when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) + QLatin1Char('.') + extension;
}

QString newPath(const QString& dir, const QString& tableName, const QString& extension, QString* error)
{
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(dir), qt_error_string());
        return {};
    }
    const QString name = fileName(tableName, QDateTime::currentDateTime(), extension);
    QString path = dir + QLatin1Char('/') + name;
    const QString stem = path.left(path.size() - extension.size() - 1);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QLatin1Char('_') + QString::number(n) + QLatin1Char('.') + extension;
    return path;
}

} // namespace reports::OutputFiles
