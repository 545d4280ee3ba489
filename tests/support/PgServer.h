#pragma once

#include <QProcess>
#include <QStringList>

namespace testsupport {

// A PostgreSQL server of the test's own with the team archive's schema (pg-server.sh), removed with the object.
// ok() is false when it did not start: callers fail on that, they never skip.
class PgServer
{
public:
    PgServer() : m_out(run({"setup", VT_SERVER_SCHEMA}).trimmed().split(' ')) {}
    ~PgServer()
    {
        if (ok())
            run({"destroy", m_out[0]});
    }
    bool ok() const { return m_out.size() == 2; }
    QString error() const { return m_out.join(' '); }
    // A connection line as Server.ini holds it (the tests give the password in it; inspectors use ~/.pgpass).
    QString connection(const QString& user, const QString& password = {}, const QString& db = "varnotek") const
    {
        return QString("host=%1 port=%2 dbname=%3 user=%4 password=%5")
            .arg(m_out[0], m_out.value(1), db, user, password.isEmpty() ? user + "-pw" : password);
    }
    void stop() { run({"stop", m_out[0]}); }
    void start() { run({"start", m_out[0]}); }
    // SQL run as the database's owner or an inspector; its rows, one a line, fields split by "|", or its error.
    QString sql(const QString& statement, const QString& user = {})
    {
        return run({"sql", m_out[0], statement, user}).trimmed();
    }

private:
    static QString run(const QStringList& args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C"); // a sandbox's locale may not exist on the machine: no warnings in the output
        p.setProcessEnvironment(env);
        p.start(VT_PG_SERVER, args);
        p.waitForFinished(120000);
        return QString::fromLocal8Bit(p.readAll());
    }
    QStringList m_out;
};

} // namespace testsupport
