#pragma once

#include "chart/ChartDescription.h"

#include <QList>

class QBarSeries;
class QCategoryAxis;
class QChart;
class QLineSeries;
class QValueAxis;

namespace ui {

// Puts a chart description onto a QChart. Series and axes are kept between calls and refilled with whole lists,
// so a live chart costs one list copy per series and update.
class ChartRenderer
{
public:
    explicit ChartRenderer(QChart* chart);

    void render(const chart::ChartDescription& d);

    QChart* chart() const { return m_chart; }
    // The values line (nullptr while bars are shown or before the first render).
    QLineSeries* valuesLine() const { return m_lines.isEmpty() ? nullptr : m_lines.first(); }
    QCategoryAxis* axisX() const { return m_x; }
    QValueAxis* axisY() const { return m_y; }

    // Pixels per pen width unit of the old chart component: values 20 -> 2 px, reference lines 10 -> 1 px.
    static constexpr double kPixelsPerPenUnit = 0.1;

private:
    void renderLines(const chart::ChartDescription& d);
    void renderBars(const chart::ChartDescription& d);
    // Row i is drawn at x = i + rowOffset; the axis range is moved by shift.
    void setAxes(const chart::ChartDescription& d, double rowOffset, double shift);
    void removeSeries();

    QChart* m_chart;
    QCategoryAxis* m_x = nullptr;
    QValueAxis* m_grid = nullptr;
    QValueAxis* m_y = nullptr;
    QList<QLineSeries*> m_lines;
    QBarSeries* m_bars = nullptr;
};

} // namespace ui
