#pragma once

#include <QString>
#include <QTemporaryDir>

// The receiving program of the keystroke tests, reached through a one-line script (a program path
// without arguments, as the dialog stores it). exec keeps the process id the sender gets at start.
class KeySink
{
public:
    KeySink();
    ~KeySink(); // ends the receiving program if it still runs

    QString program() const { return m_dir.path() + QStringLiteral("/receiver.sh"); }
    void adopt(qint64 pid) { m_pid = pid; }

    // Waits until the receiver holds exactly expected (or gives up after a few seconds); its text.
    QString waitFor(const QString& expected) const;
    // Ends the receiving program and waits until it is gone.
    bool end();

private:
    QTemporaryDir m_dir;
    qint64 m_pid = 0;
};
