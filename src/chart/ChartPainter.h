#pragma once

#include "ChartDescription.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace chart {

// Paints a chart description with a QPainter on any device (a PDF page, an image), without widgets: axes with
// round tick values in the user's number format, the series as vector lines, bars or bins, and the legend under
// the plot. The report, the command-line tool and the tests draw the same picture.
class ChartPainter
{
public:
    // area in the painter's units; font for the tick labels and the legend; penUnit: the painter's units per pen
    // width unit of the old chart component (the ratios between series stay).
    static void paint(QPainter& painter, const QRectF& area, const ChartDescription& d, const QFont& font,
                      double penUnit);

    // Round tick values covering [minimum, maximum], about count of them; the step in step.
    static QList<double> ticks(double minimum, double maximum, int count, double* step = nullptr);
};

} // namespace chart
