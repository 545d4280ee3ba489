#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

// Lets events run until cond holds or ms pass; for conditions that no wait of the program is woken for
// (a port list refreshed, a window shown). True when cond holds.
inline bool eventually(const std::function<bool()>& cond, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!cond() && clock.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return cond();
}
