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
    // pixelsPerPenUnit: pixels per pen width unit of the old chart component.
    explicit ChartRenderer(QChart* chart, double pixelsPerPenUnit = kLargePixelsPerPenUnit);

    void render(const chart::ChartDescription& d);

    QChart* chart() const { return m_chart; }
    // The values line (nullptr while bars are shown or before the first render).
    QLineSeries* valuesLine() const { return m_lines.isEmpty() ? nullptr : m_lines.first(); }
    QCategoryAxis* axisX() const { return m_x; }
    QValueAxis* axisY() const { return m_y; }

    // The large window: 35 : 30 : 20 -> 3.5, 3 and 2 px. The small main chart draws its 20 : 10 a little wider
    // (2.6 and 1.3 px), or its dotted reference lines fade out.
    static constexpr double kLargePixelsPerPenUnit = 0.1;
    static constexpr double kMainPixelsPerPenUnit = 0.13;

private:
    void renderLines(const chart::ChartDescription& d);
    void renderBars(const chart::ChartDescription& d);
    // Row i is drawn at x = i + rowOffset; the axis range is moved by shift.
    void setAxes(const chart::ChartDescription& d, double rowOffset, double shift);
    void removeSeries();

    QChart* m_chart;
    double m_pixelsPerPenUnit;
    QCategoryAxis* m_x = nullptr;
    QValueAxis* m_grid = nullptr;
    QValueAxis* m_y = nullptr;
    QList<QLineSeries*> m_lines;
    QBarSeries* m_bars = nullptr;
};

} // namespace ui
