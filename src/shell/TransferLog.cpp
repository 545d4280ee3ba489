#include "TransferLog.h"

#include "TextFile.h"

#include <QDir>

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
    TextFile::truncate(path());
}

} // namespace shell
