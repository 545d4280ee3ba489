#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// A PostgreSQL server of the test's own with the team archive's schema (tests/support/pg-server.sh), removed
// when the object goes. ok() is false when it could not be started: callers fail on that, they never skip.
class PgServer
{
public:
    PgServer()
    {
        const QString out = run({QStringLiteral("setup"), QStringLiteral(VT_SERVER_SCHEMA)}).trimmed();
        const QStringList parts = out.split(QLatin1Char(' '));
        if (parts.size() == 2) {
            m_dir = parts[0];
            m_port = parts[1];
        } else
            m_error = out;
    }
    ~PgServer()
    {
        if (ok())
            run({QStringLiteral("destroy"), m_dir});
    }
    bool ok() const { return !m_dir.isEmpty(); }
    QString error() const { return m_error; }
    // A connection line as Server.ini holds it (tests give the password in it; inspectors use ~/.pgpass).
    QString connection(const QString& user, const QString& password = {}, const QString& db = "varnotek") const
    {
        return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5")
            .arg(m_dir, m_port, db, user, password.isEmpty() ? user + QStringLiteral("-pw") : password);
    }
    void stop() { run({QStringLiteral("stop"), m_dir}); }
    void start() { run({QStringLiteral("start"), m_dir}); }
    // Runs SQL as the database's owner; its output, one row a line.
    QString sql(const QString& statement) { return run({QStringLiteral("sql"), m_dir, statement}).trimmed(); }

private:
    static QString run(const QStringList& args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(VT_PG_SERVER), args);
        p.waitForFinished(120000);
        return QString::fromLocal8Bit(p.readAll());
    }
    QString m_dir;
    QString m_port;
    QString m_error;
};

} // namespace testsupport
