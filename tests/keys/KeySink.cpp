#include "KeySink.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <signal.h>

KeySink::KeySink()
{
    QFile script(program());
    if (script.open(QIODevice::WriteOnly))
        script.write("#!/bin/sh\n'" VT_KEYSINK_PATH "' '" + m_dir.path().toUtf8() +
                     "/received.txt' &\ntrap 'kill $!' TERM\nwait\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
}

KeySink::~KeySink()
{
    end();
}

QString KeySink::waitFor(const QString& expected) const
{
    QString text;
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(10)) {
        QFile file(m_dir.path() + QStringLiteral("/received.txt"));
        text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        if (text == expected)
            break;
    }
    return text;
}

bool KeySink::end()
{
    if (m_pid <= 0)
        return true;
    ::kill(pid_t(m_pid), SIGTERM);
    const QString proc = QStringLiteral("/proc/%1/stat").arg(m_pid);
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(10)) {
        QFile stat(proc);
        if (!stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ")) {
            m_pid = 0;
            return true;
        }
    }
    return false;
}
