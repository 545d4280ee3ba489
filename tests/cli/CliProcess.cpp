#include "CliProcess.h"

#include <QElapsedTimer>
#include <QFileInfo>

QString CliRun::program()
{
    return QStringLiteral(VT_CLI_PATH);
}

QStringList CliRun::outLines() const
{
    QStringList lines = out.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CliRun CliRun::run(const QStringList& arguments, int limitMs)
{
    CliRun r;
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(program(), arguments);
    if (!p.waitForFinished(limitMs)) {
        p.kill();
        p.waitForFinished(3000);
        r.err = QStringLiteral("(did not end within %1 ms)").arg(limitMs);
        return r;
    }
    r.ms = clock.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString SimProcess::program()
{
#ifdef VT_SIM_PATH
    return QStringLiteral(VT_SIM_PATH);
#else
    return QString();
#endif
}

bool SimProcess::start(const QStringList& options)
{
    if (program().isEmpty() || !QFileInfo(program()).isExecutable()) {
        m_error = QStringLiteral("simulator not built");
        return false;
    }
    m_process.start(program(), options + QStringList{QStringLiteral("--quiet")});
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    // The first line is the terminal; by then the Ports.ini line is written.
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000)) {
            m_error = QStringLiteral("no terminal: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
            return false;
        }
    }
    return !m_process.readLine().trimmed().isEmpty();
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
