#include "LiveChartUpdate.h"

#include <algorithm>

namespace ui {

LiveChartUpdate::LiveChartUpdate(QObject* parent, int intervalMs) : QObject(parent), m_interval(intervalMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &LiveChartUpdate::fire);
}

void LiveChartUpdate::valueAdded()
{
    if (m_timer.isActive())
        return;
    // The first value after a quiet spell draws on the next turn of the event loop, after the values that
    // arrived with it.
    const qint64 wait = m_sinceLast.isValid() ? std::max<qint64>(0, m_interval - m_sinceLast.elapsed()) : 0;
    m_timer.start(static_cast<int>(wait));
}

void LiveChartUpdate::flush()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        fire();
    }
}

void LiveChartUpdate::cancel()
{
    m_timer.stop();
}

void LiveChartUpdate::fire()
{
    ++m_redraws;
    emit redrawDue();
    m_sinceLast.start();
}

} // namespace ui
