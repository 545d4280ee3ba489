#pragma once

#include <QObject>
#include <QTimer>

namespace shell {
struct AppState;
}

// Stands in for the Escape key of a user who gives up: when no complete answer (EOT) has come for the given
// time, Escape is pressed, and pressed again for every later wait, so the run comes to its end at once.
class AnswerTimeout : public QObject
{
    Q_OBJECT
public:
    AnswerTimeout(shell::AppState& st, int seconds, QObject* parent = nullptr);

    void start();
    void stop();
    bool expired() const { return m_expired; }
    int seconds() const { return m_seconds; }

private:
    void poked();
    void expire();

    shell::AppState& m_st;
    int m_seconds;
    bool m_expired = false;
    QTimer m_deadline;
    QTimer m_repeat;
};
