#pragma once

#include "Sandbox.h"

#include <QString>
#include <QStringList>

// The RONDO edition's folder below the sandbox's config and data folders.
inline const QString kAppData = QStringLiteral("/Varnotek/RONDO TRANSFER");

// Limits, project data and labels in the sandbox: the settings a report depends on.
void writeReportSettings(const testsupport::Sandbox& sb);

// varnotek-cli run as a child process in the current environment (a test sandbox's folders and locale).
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;

    QStringList outLines() const;
    // limitMs bounds the run's time; memoryBytes, when given, its address space (as prlimit --as).
    static CliRun run(const QStringList& arguments, int limitMs = 30000, qint64 memoryBytes = 0);
    static QString program();
};
