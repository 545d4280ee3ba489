#pragma once

#include <QString>
#include <QTemporaryDir>

// The receiving program of the keystroke tests, reached through a script (a program path without
// arguments, as the dialog stores it). The window belongs to a child of the started process, as with
// launch scripts and splash programs; ending the script ends the receiver.
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
