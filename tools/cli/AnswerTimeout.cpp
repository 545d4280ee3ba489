#include "AnswerTimeout.h"

#include "shell/AppState.h"
#include "shell/Wait.h"

AnswerTimeout::AnswerTimeout(shell::AppState& st, int seconds, QObject* parent)
    : QObject(parent), m_st(st), m_seconds(seconds)
{
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, &AnswerTimeout::expire);
    // Every wait clears Escape when it begins, so after the deadline each later wait needs a press of its own.
    m_repeat.setInterval(50);
    connect(&m_repeat, &QTimer::timeout, this, [] { shell::EscapeWatcher::instance().press(); });
    connect(&shell::WaitBus::instance(), &shell::WaitBus::poked, this, &AnswerTimeout::poked);
}

void AnswerTimeout::start()
{
    m_expired = false;
    m_deadline.start(m_seconds * 1000);
}

void AnswerTimeout::stop()
{
    m_deadline.stop();
    m_repeat.stop();
}

void AnswerTimeout::poked()
{
    // A complete answer gives the next request the whole time again.
    if (!m_expired && m_deadline.isActive() && m_st.link.transferComplete)
        m_deadline.start(m_seconds * 1000);
}

void AnswerTimeout::expire()
{
    m_expired = true;
    shell::EscapeWatcher::instance().press();
    m_repeat.start();
}
