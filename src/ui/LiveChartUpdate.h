#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace ui {

// Coalesces chart redraws during an online run: any number of new values within one interval give one redraw,
// which reads the newest data when it runs. The interval counts from the end of the last redraw, so a slow redraw
// can never pile up behind the values.
class LiveChartUpdate : public QObject
{
    Q_OBJECT
public:
    explicit LiveChartUpdate(QObject* parent = nullptr, int intervalMs = 100);

    // A value arrived: a redraw follows, at the latest one interval after the previous one ended.
    void valueAdded();
    // Redraw at once if one is waiting (the run ended, the chart is about to be read).
    void flush();
    // Forget a waiting redraw (the chart was hidden).
    void cancel();
    bool pending() const { return m_timer.isActive(); }
    int redraws() const { return m_redraws; }

signals:
    // Build the chart from the current data now.
    void redrawDue();

private:
    void fire();

    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    int m_interval;
    int m_redraws = 0;
};

} // namespace ui
