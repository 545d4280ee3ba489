#include "ChartPainter.h"

#include "shell/Numbers.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

using Series = ChartDescription::Series;

QPen seriesPen(const Series& s, double penUnit)
{
    QPen pen(s.colour, std::max(s.penWidth, 5) * penUnit);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::BevelJoin);
    if (s.style == ChartDescription::LineStyle::Dotted)
        pen.setStyle(Qt::DotLine);
    else if (s.style == ChartDescription::LineStyle::Dashed)
        pen.setStyle(Qt::DashLine);
    return pen;
}

QString tickText(double v, double step)
{
    const int decimals = step >= 1 ? 0 : std::min(6, int(std::ceil(-std::log10(step) - 1e-9)));
    // -0 would read as a value below zero.
    return shell::Numbers::userLocale().toString(std::abs(v) < step * 1e-9 ? 0.0 : v, 'f', decimals);
}

// Maps values into the plot rectangle.
struct Scale {
    QRectF plot;
    double x0, x1, y0, y1;
    double x(double v) const { return plot.left() + (v - x0) / (x1 - x0) * plot.width(); }
    double y(double v) const { return plot.bottom() - (v - y0) / (y1 - y0) * plot.height(); }
};

// Bins are filled with a pale shade of the values' colour, so the marks across them stay visible.
QColor binFill(const QColor& c)
{
    return QColor::fromRgbF(0.35 * c.redF() + 0.65, 0.35 * c.greenF() + 0.65, 0.35 * c.blueF() + 0.65);
}

bool constant(const QList<double>& v)
{
    return !v.isEmpty() && std::all_of(v.cbegin(), v.cend(), [&](double x) { return x == v.first(); });
}

// The legend: a line sample (or a box for the values of bars and bins) and the name, wrapped across rows.
double legendHeight(const ChartDescription& d, const QFontMetricsF& fm, double width)
{
    if (!d.legendVisible)
        return 0;
    double x = 0;
    int rows = 1;
    for (const Series& s : d.series) {
        const double w = fm.height() * 2.2 + fm.horizontalAdvance(s.name) + fm.height();
        if (x > 0 && x + w > width) {
            ++rows;
            x = 0;
        }
        x += w;
    }
    return rows * fm.lineSpacing() + fm.height() * 0.4;
}

void paintLegend(QPainter& p, const ChartDescription& d, const QFontMetricsF& fm, const QRectF& area, double penUnit)
{
    double x = area.left();
    double y = area.top() + fm.height() * 0.4;
    for (int j = 0; j < d.series.size(); ++j) {
        const Series& s = d.series.at(j);
        const double sample = fm.height() * 2.2;
        const double w = sample + fm.horizontalAdvance(s.name) + fm.height();
        if (x > area.left() && x + w > area.right()) {
            x = area.left();
            y += fm.lineSpacing();
        }
        const double mid = y + fm.lineSpacing() / 2;
        if (j == 0 && d.kind != ChartDescription::Kind::Line) {
            p.fillRect(QRectF(x, mid - fm.height() * 0.3, sample * 0.8, fm.height() * 0.6), binFill(s.colour));
        } else {
            p.setPen(seriesPen(s, penUnit));
            p.drawLine(QPointF(x, mid), QPointF(x + sample * 0.8, mid));
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(x + sample, y + fm.ascent()), s.name);
        x += w;
    }
}

void paintLines(QPainter& p, const ChartDescription& d, const Scale& sc, double penUnit)
{
    for (int j = d.series.size() - 1; j >= 0; --j) {
        const Series& s = d.series.at(j);
        if (s.values.isEmpty())
            continue;
        p.setPen(seriesPen(s, penUnit));
        if (j > 0 && constant(s.values)) {
            const double y = sc.y(s.values.first());
            p.drawLine(QPointF(sc.plot.left(), y), QPointF(sc.plot.right(), y));
            continue;
        }
        if (s.values.size() == 1) {
            p.setBrush(s.colour);
            const double r = std::max(s.penWidth, 5) * penUnit * 1.5;
            p.drawEllipse(QPointF(sc.x(1), sc.y(s.values.first())), r, r);
            p.setBrush(Qt::NoBrush);
            continue;
        }
        QPolygonF line;
        line.reserve(s.values.size());
        for (int i = 0; i < s.values.size(); ++i)
            line.append(QPointF(sc.x(i + 1), sc.y(s.values.at(i))));
        p.drawPolyline(line);
    }
}

void paintBins(QPainter& p, const ChartDescription& d, const Scale& sc, double penUnit)
{
    if (d.series.isEmpty())
        return;
    const Series& bins = d.series.first();
    const double width = (d.x.maximum - d.x.minimum) / std::max<qsizetype>(1, bins.values.size());
    p.setPen(QPen(bins.colour, penUnit * 8));
    p.setBrush(binFill(bins.colour));
    for (int i = 0; i < bins.values.size(); ++i) {
        if (bins.values.at(i) <= 0)
            continue;
        const double left = d.x.minimum + i * width;
        p.drawRect(QRectF(QPointF(sc.x(left), sc.y(bins.values.at(i))), QPointF(sc.x(left + width), sc.y(0))));
    }
    p.setBrush(Qt::NoBrush);
    for (int j = 1; j < d.series.size(); ++j) {
        const Series& s = d.series.at(j);
        if (s.values.isEmpty())
            continue;
        p.setPen(seriesPen(s, penUnit));
        const double x = sc.x(s.values.first());
        p.drawLine(QPointF(x, sc.plot.top()), QPointF(x, sc.plot.bottom()));
    }
}

void paintBars(QPainter& p, const ChartDescription& d, const Scale& sc)
{
    if (d.series.isEmpty())
        return;
    const Series& s = d.series.first();
    p.setPen(Qt::NoPen);
    p.setBrush(s.colour);
    const double base = std::clamp(0.0, sc.y0, sc.y1);
    for (int i = 0; i < s.values.size(); ++i)
        p.drawRect(QRectF(QPointF(sc.x(i + 0.6), sc.y(s.values.at(i))), QPointF(sc.x(i + 1.4), sc.y(base))));
    p.setBrush(Qt::NoBrush);
}

// The axes' ranges over the plot; an empty range is widened to one unit.
Scale scale(const ChartDescription& d, const QRectF& plot)
{
    Scale sc{plot, d.x.minimum, d.x.maximum, d.y.minimum, d.y.maximum};
    if (!(sc.x1 > sc.x0))
        sc.x1 = sc.x0 + 1;
    if (!(sc.y1 > sc.y0))
        sc.y1 = sc.y0 + 1;
    return sc;
}

// Grid lines across the plot at the value ticks, their labels left of it.
void paintValueAxis(QPainter& p, const Scale& sc, const QFontMetricsF& fm, const QList<double>& ticks, double step)
{
    const QRectF& plot = sc.plot;
    const QColor grid(215, 215, 215);
    p.setPen(QPen(grid, fm.height() * 0.03));
    for (double v : ticks)
        p.drawLine(QPointF(plot.left(), sc.y(v)), QPointF(plot.right(), sc.y(v)));
    p.setPen(Qt::black);
    for (double v : ticks) {
        const QString t = tickText(v, step);
        p.drawText(QPointF(plot.left() - fm.height() * 0.3 - fm.horizontalAdvance(t), sc.y(v) + fm.ascent() / 2.5), t);
    }
}

// The ticks under the plot: a histogram's bin edges, else round reading numbers from 1 on; their step in step.
QList<double> readingTicks(const ChartDescription& d, const Scale& sc, double& step)
{
    if (d.kind != ChartDescription::Kind::Histogram) {
        const QList<double> ticks = ChartPainter::ticks(std::max(1.0, sc.x0), sc.x1, 10, &step);
        step = std::max(1.0, step);
        return ticks;
    }
    // Every bin edge is a tick; the labels are thinned so that they do not run into each other.
    const int bins = std::max(1, d.x.majorDivision);
    step = (sc.x1 - sc.x0) / bins;
    QList<double> ticks;
    for (int i = 0; i <= bins; ++i)
        ticks.append(sc.x0 + i * step);
    return ticks;
}

// Tick marks under the plot, each labelled where the label before it leaves room.
void paintReadingAxis(QPainter& p, const ChartDescription& d, const Scale& sc, const QFontMetricsF& fm)
{
    const QRectF& plot = sc.plot;
    const bool histogram = d.kind == ChartDescription::Kind::Histogram;
    double step = 1;
    const QList<double> ticks = readingTicks(d, sc, step);
    double lastRight = -1e9;
    const double baseline = plot.bottom() + fm.height() * 0.3 + fm.ascent();
    for (double v : ticks) {
        const QString t = tickText(v, histogram ? step : 1);
        const double w = fm.horizontalAdvance(t);
        const double left = sc.x(v) - w / 2;
        p.setPen(QPen(Qt::black, fm.height() * 0.05));
        p.drawLine(QPointF(sc.x(v), plot.bottom()), QPointF(sc.x(v), plot.bottom() + fm.height() * 0.25));
        if (left < lastRight + fm.height() * 0.5)
            continue;
        p.drawText(QPointF(left, baseline), t);
        lastRight = left + w;
    }
}

} // namespace

QList<double> ChartPainter::ticks(double minimum, double maximum, int count, double* step)
{
    double s = (maximum - minimum) / std::max(1, count);
    if (!(s > 0))
        s = 1;
    const double p = std::pow(10.0, std::floor(std::log10(s)));
    for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (f * p >= s * (1 - 1e-9)) {
            s = f * p;
            break;
        }
    QList<double> out;
    for (double v = std::ceil(minimum / s - 1e-9) * s; v <= maximum + s * 1e-9 && out.size() < 200; v += s)
        out.append(v);
    if (step)
        *step = s;
    return out;
}

void ChartPainter::paint(QPainter& p, const QRectF& area, const ChartDescription& d, const QFont& font, double penUnit)
{
    p.save();
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const bool histogram = d.kind == ChartDescription::Kind::Histogram;
    double yStep = 1;
    const QList<double> yTicks = histogram ? ticks(d.y.minimum, d.y.maximum, d.y.majorDivision, &yStep)
                                           : ticks(d.y.minimum, d.y.maximum, 5, &yStep);
    double labelWidth = 0;
    for (double v : yTicks)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(tickText(v, yStep)));

    const double legend = legendHeight(d, fm, area.width());
    const QRectF plot = area.adjusted(labelWidth + fm.height() * 0.5, fm.height() * 0.5, -fm.height() * 0.5,
                                      -(legend + fm.lineSpacing() * 1.3));
    const Scale sc = scale(d, plot);
    paintValueAxis(p, sc, fm, yTicks, yStep);
    paintReadingAxis(p, d, sc, fm);

    p.save();
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    p.setRenderHint(QPainter::Antialiasing);
    if (histogram)
        paintBins(p, d, sc, penUnit);
    else if (d.kind == ChartDescription::Kind::Bar)
        paintBars(p, d, sc);
    else
        paintLines(p, d, sc, penUnit);
    p.restore();
    p.setPen(QPen(Qt::black, fm.height() * 0.06));
    p.drawRect(plot);
    if (d.legendVisible)
        paintLegend(p, d, fm, QRectF(area.left(), area.bottom() - legend, area.width(), legend), penUnit);
    p.restore();
}

} // namespace chart
