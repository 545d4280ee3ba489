#include "X11KeySender.h"

#include "shell/Wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QProcess>
#include <QTimer>

namespace table {

namespace {

// X windows do not tell us when they appear or take the focus: look again at a steady pace while
// the wait lets events run.
bool pollUntil(const std::function<bool()>& done, int timeoutMs, int everyMs)
{
    if (done())
        return true;
    if (timeoutMs <= 0)
        return false;
    QTimer tick;
    tick.setInterval(everyMs);
    QObject::connect(&tick, &QTimer::timeout, [] { shell::WaitBus::poke(); });
    tick.start();
    return shell::waitUntil(done, timeoutMs) == shell::WaitEnd::Done;
}

} // namespace

X11KeySender::X11KeySender(const QByteArray& displayName) : m_xdo(displayName.toStdString()) {}

qint64 X11KeySender::startProgram(const QString& path, QString& error)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable()) {
        error = info.exists() ? QStringLiteral("not an executable file") : QStringLiteral("file not found");
        return 0;
    }
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    // Startup notification with time 0: a window manager that honours it does not give the new
    // window the focus; the user keeps working where he is.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESKTOP_STARTUP_ID"),
               QStringLiteral("varnotek-transfer-%1_TIME0").arg(QCoreApplication::applicationPid()));
    process.setProcessEnvironment(env);
    qint64 pid = 0;
    if (!process.startDetached(&pid) || pid <= 0) {
        error = process.errorString();
        return 0;
    }
    return pid;
}

bool X11KeySender::processAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) S ...": a zombie has ended even though its entry is still there.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && line.size() > close + 2 && line.at(close + 2) != 'Z';
}

std::vector<long> X11KeySender::withDescendants(qint64 pid)
{
    // Launch scripts and splash programs (LibreOffice, for one) leave the window to a child process.
    QMultiHash<long, long> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const long child = entry.toLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and brackets, so read after the last ")".
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.insert(fields.at(1).toLong(), child);
    }
    std::vector<long> family{long(pid)};
    for (size_t i = 0; i < family.size(); ++i)
        for (long child : children.values(family[i]))
            family.push_back(child);
    return family;
}

unsigned long X11KeySender::windowOf(qint64 pid)
{
    // The server drops the windows of an ended program a moment after it ends: ask about the process first.
    if (!processAlive(pid))
        return 0;
    const unsigned long known = m_windows.value(pid);
    if (known && m_xdo.windowExists(known))
        return known;
    m_windows.remove(pid);
    auto deadline = m_waitUntil.find(pid);
    if (deadline == m_waitUntil.end())
        deadline = m_waitUntil.insert(pid, QDeadlineTimer(kWindowWaitMs));
    unsigned long window = 0;
    pollUntil([&] { return (window = m_xdo.findWindow(withDescendants(pid))) != 0 || !processAlive(pid); },
              int(deadline->remainingTime()), 20);
    if (window)
        m_windows.insert(pid, window);
    return window;
}

bool X11KeySender::activate(qint64 pid)
{
    if (!hasDisplay() || pid <= 0)
        return false;
    const unsigned long window = windowOf(pid);
    if (!window)
        return false;
    if (m_xdo.focusIsOn(window))
        return true;
    if (m_xdo.hasWindowManager() && m_xdo.requestActivation(window))
        pollUntil([&] { return m_xdo.focusIsOn(window); }, 1000, 5);
    // Without a window manager (or one that ignored us) the focus is set directly.
    if (!m_xdo.focusIsOn(window))
        m_xdo.focus(window);
    return m_xdo.focusIsOn(window);
}

bool X11KeySender::typeText(const QString& text)
{
    return m_xdo.type(text.toStdString(), kKeyDelayUs);
}

bool X11KeySender::pressEnter()
{
    return m_xdo.pressEnter(kKeyDelayUs);
}

} // namespace table
