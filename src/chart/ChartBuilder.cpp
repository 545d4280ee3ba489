#include "ChartBuilder.h"

#include "shell/Numbers.h"

#include <algorithm>
#include <cmath>

namespace chart {

const QColor ChartBuilder::kValueColour(0, 0, 153);
const QColor ChartBuilder::kTargetColour(150, 0, 0);
const QColor ChartBuilder::kLimitColour(0, 130, 0);
const QColor ChartBuilder::kMeanColour(90, 90, 90);

namespace {

struct Pens {
    int values;
    int limits;
    int target;
};

ChartDescription::Axis xAxis(const ChartData& data)
{
    ChartDescription::Axis x;
    x.minimum = 0;
    x.maximum = data.AnzahlWerte();
    x.majorDivision = 10;
    x.minorDivision = 1;
    return x;
}

// The range of the plotted values, for statistics texts that do not read as numbers.
void dataRange(const ChartData& data, double& minimum, double& maximum)
{
    const QList<double>& v = data.values(1);
    if (v.isEmpty()) {
        minimum = maximum = 0;
        return;
    }
    const auto [lo, hi] = std::minmax_element(v.cbegin(), v.cend());
    minimum = *lo;
    maximum = *hi;
}

// The value of every reference column: a legend that names a line needs the line in the picture.
QList<double> referenceLines(const ChartData& data)
{
    QList<double> lines;
    for (int j = 2; j <= data.k(); ++j)
        if (!data.values(j).isEmpty())
            lines.append(data.values(j).first());
    return lines;
}

// A range the statistics cannot give (start values, a text that is no number) falls back to the plotted values.
ChartDescription::Axis yAxis(double minimum, double maximum, bool known, const ChartData& data,
                             const QList<double>& lines)
{
    if (!known || minimum > maximum)
        dataRange(data, minimum, maximum);
    ChartBuilder::takeInLines(minimum, maximum, lines);
    ChartBuilder::widenFlatRange(minimum, maximum);
    ChartDescription::Axis y;
    y.minimum = minimum;
    y.maximum = maximum;
    y.majorDivision = 1;
    y.minorDivision = 1;
    return y;
}

// The values and every reference column of the chart array, in column order.
ChartDescription lineChart(const ChartInput& in, const ChartData& data, const Pens& pens)
{
    ChartDescription d;
    d.kind = ChartDescription::Kind::Line;
    d.x = xAxis(data);
    d.xLabels = data.labels();
    d.unit = data.einheit();
    for (int j = 1; j <= data.k(); ++j) {
        ChartDescription::Series s;
        s.values = data.values(j);
        s.style = ChartDescription::LineStyle::Dotted;
        switch (data.column(j)) {
        case ChartData::Column::Value:
            s.name = in.dataLegend;
            s.colour = ChartBuilder::kValueColour;
            s.penWidth = pens.values;
            s.style = ChartDescription::LineStyle::Solid;
            break;
        case ChartData::Column::Target:
            s.name = ChartBuilder::targetLegend(in);
            s.colour = ChartBuilder::kTargetColour;
            s.penWidth = pens.target;
            break;
        case ChartData::Column::Minimum:
            s.name = ChartBuilder::minimumLegend(in);
            s.colour = ChartBuilder::kLimitColour;
            s.penWidth = pens.limits;
            break;
        case ChartData::Column::Maximum:
            s.name = ChartBuilder::maximumLegend(in);
            s.colour = ChartBuilder::kLimitColour;
            s.penWidth = pens.limits;
            break;
        case ChartData::Column::Label:
            break;
        }
        d.series.append(s);
    }
    return d;
}

// The large window's Y range: the displayed statistics read back as numbers, and the lines drawn.
ChartDescription::Axis largeYAxis(const ChartInput& in, const ChartData& data, bool lines)
{
    double minimum = 0;
    double maximum = 0;
    const bool known =
        shell::Numbers::parseNumber(in.anz_min, minimum) && shell::Numbers::parseNumber(in.anz_max, maximum);
    return yAxis(minimum, maximum, known, data, lines ? referenceLines(data) : QList<double>());
}

ChartDescription::Series referenceSeries(const QString& name, const QColor& colour, int pen, double v, int n)
{
    ChartDescription::Series s;
    s.name = name;
    s.colour = colour;
    s.penWidth = pen;
    s.style = ChartDescription::LineStyle::Dotted;
    s.values = QList<double>(n, v);
    return s;
}

// The target and the limits that are set, in the order of the chart array's columns.
QList<ChartDescription::Series> setLines(const ChartInput& in, int n)
{
    QList<ChartDescription::Series> out;
    if (in.Esoll != 0)
        out.append(referenceSeries(ChartBuilder::targetLegend(in), ChartBuilder::kTargetColour, 20, in.Esoll, n));
    if (in.Emin != 0)
        out.append(referenceSeries(ChartBuilder::minimumLegend(in), ChartBuilder::kLimitColour, 30, in.Emin, n));
    if (in.Emax != 0)
        out.append(referenceSeries(ChartBuilder::maximumLegend(in), ChartBuilder::kLimitColour, 30, in.Emax, n));
    return out;
}

// 1, 2 or 5 times a power of ten: the smallest at least x, or with below the largest at most x.
double niceStep(double x, bool below = false)
{
    if (!(x > 0))
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(x)));
    if (below) {
        for (double f : {5.0, 2.0, 1.0})
            if (f * p <= x * (1 + 1e-9))
                return f * p;
        return p;
    }
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * p >= x * (1 - 1e-9))
            return f * p;
    return 10 * p;
}

} // namespace

ChartBuilder::Status ChartBuilder::check(const ChartInput& in)
{
    if (in.einheitenGemischt)
        return Status::MixedUnits;
    if (ChartData::AnzahlWerte(in.rows) == 0)
        return Status::NoRows;
    return Status::Ok;
}

ChartDescription ChartBuilder::mainChart(const ChartInput& in, const ChartData& data)
{
    ChartDescription d = lineChart(in, data, {20, 10, 10});
    d.y = in.absolut ? yAxis(in.minabs, in.maxabs, true, data, referenceLines(data))
                     : yAxis(in.min, in.max, true, data, referenceLines(data));
    d.legendVisible = false;
    return d;
}

ChartDescription ChartBuilder::largeLineChart(const ChartInput& in, const ChartData& data)
{
    ChartDescription d = lineChart(in, data, {35, 30, 20});
    d.y = largeYAxis(in, data, true);
    d.legendVisible = true;
    return d;
}

ChartDescription ChartBuilder::largeBarChart(const ChartInput& in, const ChartData& data)
{
    ChartDescription d;
    d.kind = ChartDescription::Kind::Bar;
    d.x = xAxis(data);
    d.y = largeYAxis(in, data, false);
    d.xLabels = data.labels();
    d.unit = data.einheit();
    d.legendVisible = true;
    ChartDescription::Series s;
    // The bar legend is English in both languages.
    s.name = QStringLiteral("Data");
    s.values = data.values(1);
    s.colour = kValueColour;
    d.series.append(s);
    return d;
}

ChartDescription ChartBuilder::reportLineChart(const ChartInput& in, const ChartData& data, double mean)
{
    ChartDescription d;
    d.kind = ChartDescription::Kind::Line;
    d.x = xAxis(data);
    d.xLabels = data.labels();
    d.unit = data.einheit();
    d.legendVisible = true;
    const int n = data.AnzahlWerte();
    ChartDescription::Series values;
    values.name = in.dataLegend;
    values.values = data.values(1);
    values.colour = kValueColour;
    values.penWidth = 35;
    d.series.append(values);
    ChartDescription::Series m = referenceSeries(meanText(in).simplified(), kMeanColour, 20, mean, n);
    m.style = ChartDescription::LineStyle::Dashed;
    d.series.append(m);
    d.series.append(setLines(in, n));
    QList<double> lines;
    for (int j = 1; j < d.series.size(); ++j)
        lines.append(d.series.at(j).values.value(0));
    double lo = 0;
    double hi = 0;
    dataRange(data, lo, hi);
    d.y = yAxis(lo, hi, true, data, lines);
    return d;
}

ChartDescription ChartBuilder::reportHistogram(const ChartInput& in, const ChartData& data)
{
    ChartDescription d;
    d.kind = ChartDescription::Kind::Histogram;
    d.unit = data.einheit();
    d.legendVisible = true;
    const QList<double>& v = data.values(1);
    double lo = 0;
    double hi = 0;
    dataRange(data, lo, hi);
    const QList<ChartDescription::Series> marks = setLines(in, 1);
    QList<double> lines;
    for (const ChartDescription::Series& s : marks)
        lines.append(s.values.first());
    takeInLines(lo, hi, lines);
    widenFlatRange(lo, hi);
    // At least the square root of the count in bins (5 to 20), each a round width.
    const int wanted = std::clamp(int(std::lround(std::sqrt(double(v.size())))), 5, 20);
    const double width = niceStep((hi - lo) / wanted, true);
    const double start = std::floor(lo / width) * width;
    const int bins = std::max(1, int(std::ceil((hi - start) / width - 1e-9)));
    QList<double> counts(bins, 0.0);
    for (double x : v)
        counts[std::clamp(int(std::floor((x - start) / width)), 0, bins - 1)] += 1;
    ChartDescription::Series s;
    s.name = in.dataLegend;
    s.values = counts;
    s.colour = kValueColour;
    d.series.append(s);
    d.series.append(marks);
    d.x.minimum = start;
    d.x.maximum = start + bins * width;
    d.x.majorDivision = bins;
    const double top = *std::max_element(counts.cbegin(), counts.cend());
    const double step = niceStep(std::max(1.0, top / 5));
    d.y.minimum = 0;
    d.y.maximum = std::max(step, std::ceil(top / step) * step);
    d.y.majorDivision = int(std::lround(d.y.maximum / step));
    return d;
}

QString ChartBuilder::mittelwertText(const ChartInput& in)
{
    return QStringLiteral("_ _ _") + in.meanLabel + QLatin1Char(' ') + in.anz_mean;
}

QString ChartBuilder::strichText()
{
    return QStringLiteral("__ __ __ ");
}

QString ChartBuilder::meanText(const ChartInput& in)
{
    return in.meanLabel + QLatin1Char(' ') + in.anz_mean;
}

QString ChartBuilder::targetLegend(const ChartInput& in)
{
    return in.targetLabel + QLatin1Char(' ') + shell::Numbers::formatGeneral(in.Esoll);
}

QString ChartBuilder::minimumLegend(const ChartInput& in)
{
    return QStringLiteral("Minimum ") + shell::Numbers::formatGeneral(in.Emin);
}

QString ChartBuilder::maximumLegend(const ChartInput& in)
{
    return QStringLiteral("Maximum ") + shell::Numbers::formatGeneral(in.Emax);
}

void ChartBuilder::takeInLines(double& minimum, double& maximum, const QList<double>& lines)
{
    if (lines.isEmpty())
        return;
    const auto [lo, hi] = std::minmax_element(lines.cbegin(), lines.cend());
    const double newMin = std::min(minimum, *lo);
    const double newMax = std::max(maximum, *hi);
    const double margin = (newMax - newMin) * 0.05;
    if (*lo <= minimum)
        minimum = newMin - margin;
    if (*hi >= maximum)
        maximum = newMax + margin;
}

void ChartBuilder::widenFlatRange(double& minimum, double& maximum)
{
    if (maximum > minimum)
        return;
    const double centre = (minimum + maximum) / 2;
    const double half = centre == 0.0 ? 1.0 : std::abs(centre) * 0.1;
    minimum = centre - half;
    maximum = centre + half;
}

} // namespace chart
