#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// varnotek-cli run as a child process in the current environment (a test sandbox's folders and locale).
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;

    QStringList outLines() const;
    static CliRun run(const QStringList& arguments, int limitMs = 30000);
    static QString program();
};
