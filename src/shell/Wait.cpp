#include "Wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

namespace shell {

EscapeWatcher& EscapeWatcher::instance()
{
    static EscapeWatcher watcher;
    return watcher;
}

void EscapeWatcher::install()
{
    if (m_installed || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_installed = true;
}

void EscapeWatcher::press()
{
    m_pressed = true;
    WaitBus::poke();
}

bool EscapeWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        press();
    return QObject::eventFilter(watched, event);
}

WaitBus& WaitBus::instance()
{
    static WaitBus bus;
    return bus;
}

WaitEnd waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    EscapeWatcher& esc = EscapeWatcher::instance();
    esc.clear();
    if (done && done())
        return WaitEnd::Done;
    if (timeoutMs == 0)
        return WaitEnd::Timeout;

    QEventLoop loop;
    WaitEnd end = WaitEnd::Timeout;
    auto check = [&] {
        if (done && done()) {
            end = WaitEnd::Done;
            loop.quit();
        } else if (esc.pressed()) {
            end = WaitEnd::Escape;
            loop.quit();
        }
    };
    QMetaObject::Connection c =
        QObject::connect(&WaitBus::instance(), &WaitBus::poked, &loop, check, Qt::QueuedConnection);
    QTimer timer;
    if (timeoutMs > 0) {
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            end = WaitEnd::Timeout;
            loop.quit();
        });
        timer.start(timeoutMs);
    }
    loop.exec();
    QObject::disconnect(c);
    return end;
}

} // namespace shell
