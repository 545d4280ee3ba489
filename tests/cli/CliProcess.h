#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

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

// The gauge simulator as a child process, pinned to COM<n> through Ports.ini in the sandbox.
class SimProcess
{
public:
    ~SimProcess() { stop(); }
    // False (with error()) when the simulator is missing or did not report its terminal.
    bool start(const QStringList& options);
    void stop();
    QString error() const { return m_error; }
    static QString program();

private:
    QProcess m_process;
    QString m_error;
};
