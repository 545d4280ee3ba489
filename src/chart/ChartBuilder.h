#pragma once

#include "ChartData.h"
#include "ChartDescription.h"
#include "ChartInput.h"

namespace chart {

// Turns the chart array and the statistics into descriptions of the main window chart and the large chart window.
class ChartBuilder
{
public:
    enum class Status { Ok, MixedUnits, NoRows };

    // Anything but Ok: the chart command does nothing (the statistics list stays).
    static Status check(const ChartInput& in);

    // Values and reference lines on the main window; Y range from min/max (minabs/maxabs when absolut).
    static ChartDescription mainChart(const ChartInput& in, const ChartData& data);
    // The large window's line chart with legends; Y range from the displayed statistics anz_min/anz_max.
    static ChartDescription largeLineChart(const ChartInput& in, const ChartData& data);
    // The large window's bar chart: the values alone.
    static ChartDescription largeBarChart(const ChartInput& in, const ChartData& data);

    // The inspection report's charts: the line chart with the mean as a dashed line, and a histogram of the values
    // with the target and the limits marked. A limit or target of 0 is not set and is not drawn here.
    static ChartDescription reportLineChart(const ChartInput& in, const ChartData& data, double mean);
    static ChartDescription reportHistogram(const ChartInput& in, const ChartData& data);

    // txtMittelwert of the main window.
    static QString mittelwertText(const ChartInput& in);
    // lblStrich and lblMean under the large chart.
    static QString strichText();
    static QString meanText(const ChartInput& in);

    // Legend texts of the reference lines, numbers in the user's format.
    static QString targetLegend(const ChartInput& in);
    static QString minimumLegend(const ChartInput& in);
    static QString maximumLegend(const ChartInput& in);

    // A flat series would give an empty range: it is drawn in the middle of value +/- 10 % (+/- 1 around 0).
    static void widenFlatRange(double& minimum, double& maximum);
    // Widens a value range so that every reference line drawn lies inside it, with 5 % of the range to spare on a
    // side that a line decides (a line on the frame would be lost in it).
    static void takeInLines(double& minimum, double& maximum, const QList<double>& lines);

    static const QColor kValueColour;
    static const QColor kTargetColour;
    static const QColor kLimitColour;
    static const QColor kMeanColour;
};

} // namespace chart
