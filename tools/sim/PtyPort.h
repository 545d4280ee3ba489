#pragma once

#include <QByteArray>
#include <QString>

// Master side of a pseudo-terminal. The slave is kept open by this process too, so a client can open, close and
// reopen the device path as often as it likes without the terminal hanging up.
class PtyPort
{
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    bool open(QString* error);
    void close();
    bool isOpen() const { return m_master >= 0; }

    QString devicePath() const { return m_path; }
    int masterFd() const { return m_master; }

    // Non-blocking: number of bytes taken (0 when the terminal buffer is full), -1 on a real failure.
    qint64 write(const char* data, qint64 size);
    // Everything the client has sent so far (non-blocking).
    QByteArray readAll();
    // Drops output the client has not read yet (a client that gave up and sends a new command).
    void discardUnread();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
