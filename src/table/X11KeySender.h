#pragma once

#include "KeySender.h"
#include "XdoTyping.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>

namespace table {

// Keystrokes on X11: the program is started detached (its process id is the task), its window is
// found by _NET_WM_PID, activated (or just focused when no window manager runs) and typed into
// through XTEST, key by key as if from the keyboard.
class X11KeySender : public KeySender
{
public:
    // A new program needs a while to show its window; the first activation waits that long for it.
    static constexpr int kWindowWaitMs = 5000;
    // Extra pause per key. libxdo already waits for the X server after every key event, which paces the
    // keys; a sleep on top costs a trip through the scheduler per key and, on a busy machine, made a row of
    // 40 keys take 30 to 80 ms instead of under 20.
    static constexpr unsigned kKeyDelayUs = 0;

    // displayName empty (no DISPLAY) or not to be opened: no display, nothing is ever typed.
    explicit X11KeySender(const QByteArray& displayName = qgetenv("DISPLAY"));

    bool hasDisplay() const override { return m_xdo.isOpen(); }
    qint64 startProgram(const QString& path, QString& error) override;
    bool activate(qint64 pid) override;
    bool typeText(const QString& text) override;
    bool pressEnter() override;

private:
    unsigned long windowOf(qint64 pid);
    static bool processAlive(qint64 pid);
    static std::vector<long> withDescendants(qint64 pid);

    XdoTyping m_xdo;
    QHash<qint64, unsigned long> m_windows;
    QHash<qint64, QDeadlineTimer> m_waitUntil; // per process: how long its window may still take to appear
};

} // namespace table
