#include "TransferLog.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>

namespace shell {

QString TransferLog::path() const
{
    return m_folder + QLatin1Char('/') + fileName();
}

void TransferLog::WriteLog(const QString& logtext) const
{
    if (m_folder.isEmpty() || !QDir(m_folder).exists())
        return;
    TextFile::appendLine(path(), logtext);
}

void TransferLog::DeleteLog() const
{
    if (m_folder.isEmpty() || !QDir(m_folder).exists())
        return;
    QFile f(path());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.close();
}

} // namespace shell
