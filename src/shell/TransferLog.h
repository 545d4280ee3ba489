#pragma once

#include <QString>

namespace shell {

// The run's log file. Failures are swallowed: logging never disturbs the caller.
class TransferLog
{
public:
    static QString fileName() { return QStringLiteral("Varnotek_TransferLog.txt"); }

    void setFolder(const QString& folder) { m_folder = folder; }
    QString path() const;

    void WriteLog(const QString& logtext) const;
    void DeleteLog() const;

private:
    QString m_folder;
};

} // namespace shell
