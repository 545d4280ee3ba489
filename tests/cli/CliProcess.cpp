#include "CliProcess.h"

#include <QElapsedTimer>

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
