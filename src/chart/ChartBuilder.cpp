#include "ChartBuilder.h"

#include "shell/Numbers.h"

#include <algorithm>
#include <cmath>

namespace chart {

const QColor ChartBuilder::kValueColour(0, 0, 153);
const QColor ChartBuilder::kTargetColour(150, 0, 0);
const QColor ChartBuilder::kLimitColour(0, 130, 0);

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

// A range the statistics cannot give (start values, a text that is no number) falls back to the plotted values.
ChartDescription::Axis yAxis(double minimum, double maximum, bool known, const ChartData& data)
{
    if (!known || minimum > maximum)
        dataRange(data, minimum, maximum);
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

// The large window's Y range: the displayed statistics read back as numbers.
ChartDescription::Axis largeYAxis(const ChartInput& in, const ChartData& data)
{
    double minimum = 0;
    double maximum = 0;
    const bool known =
        shell::Numbers::parseNumber(in.anz_min, minimum) && shell::Numbers::parseNumber(in.anz_max, maximum);
    return yAxis(minimum, maximum, known, data);
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
    d.y = in.absolut ? yAxis(in.minabs, in.maxabs, true, data) : yAxis(in.min, in.max, true, data);
    d.legendVisible = false;
    return d;
}

ChartDescription ChartBuilder::largeLineChart(const ChartInput& in, const ChartData& data)
{
    ChartDescription d = lineChart(in, data, {35, 30, 20});
    d.y = largeYAxis(in, data);
    d.legendVisible = true;
    return d;
}

ChartDescription ChartBuilder::largeBarChart(const ChartInput& in, const ChartData& data)
{
    ChartDescription d;
    d.kind = ChartDescription::Kind::Bar;
    d.x = xAxis(data);
    d.y = largeYAxis(in, data);
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
