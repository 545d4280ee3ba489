#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace chart {

// What to draw, free of any chart library: the views turn this into widgets, ChartPainter paints it anywhere.
// Line and Bar: point i (0-based) of every series belongs to row i + 1 and sits at x = i + 1.
// Histogram: series 0 holds the count of each of its equal bins from x.minimum to x.maximum; every further series
// is one value, marked across the chart at that x.
struct ChartDescription {
    enum class Kind { Line, Bar, Histogram };
    enum class LineStyle { Solid, Dotted, Dashed };

    struct Series {
        QString name; // legend text
        QList<double> values;
        QColor colour;
        // In the old chart component's units; the views keep the ratios between series.
        int penWidth = 0;
        LineStyle style = LineStyle::Solid;
    };

    struct Axis {
        double minimum = 0.0;
        double maximum = 0.0;
        int majorDivision = 1; // number of intervals between grid lines
        int minorDivision = 1; // intervals per major interval; 1 means no minor ticks
    };

    Kind kind = Kind::Line;
    QList<Series> series; // series 0 holds the values
    Axis x;
    Axis y;
    QStringList xLabels; // one per row; blank labels are not shown
    bool legendVisible = false;
    QString unit; // unit of the values, for tool tips
};

} // namespace chart
