#pragma once

#include <QObject>

#include <functional>

namespace shell {

// Records Escape presses anywhere in the application; every wait ends on one.
class EscapeWatcher : public QObject
{
    Q_OBJECT
public:
    static EscapeWatcher& instance();

    // Installs the application-wide event filter (needs a QCoreApplication).
    void install();

    bool pressed() const { return m_pressed; }
    void clear() { m_pressed = false; }
    // Same as a key press; for front ends without a keyboard and for tests.
    void press();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_pressed = false;
    bool m_installed = false;
};

// Wakes running waits so they look at their condition again. Whoever sets a flag that a wait
// watches calls poke().
class WaitBus : public QObject
{
    Q_OBJECT
public:
    static WaitBus& instance();
    static void poke() { emit instance().poked(); }

signals:
    void poked();
};

enum class WaitEnd { Done, Escape, Timeout };

// Runs a local event loop until done() holds, Escape is pressed, or timeoutMs passes
// (negative: no time limit). No polling: the loop wakes on WaitBus pokes, Escape and the timer.
WaitEnd waitUntil(const std::function<bool()>& done, int timeoutMs = -1);

} // namespace shell
