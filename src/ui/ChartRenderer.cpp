#include "ChartRenderer.h"

#include "shell/Numbers.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

namespace ui {

using chart::ChartDescription;

namespace {

QPen seriesPen(const ChartDescription::Series& s, double pixelsPerPenUnit)
{
    QPen pen(s.colour);
    pen.setWidthF(s.penWidth * pixelsPerPenUnit);
    if (s.style == ChartDescription::LineStyle::Dotted) {
        // Flat caps keep the dots apart; square caps would close the gaps of thin lines.
        pen.setStyle(Qt::DotLine);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        // Round joins cost four times as much to draw for 5000 points; bevels look the same at these widths.
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::BevelJoin);
    }
    return pen;
}

bool isConstant(const QList<double>& v)
{
    return !v.isEmpty() && std::all_of(v.cbegin(), v.cend(), [&](double x) { return x == v.first(); });
}

} // namespace

ChartRenderer::ChartRenderer(QChart* chart, double pixelsPerPenUnit)
    : m_chart(chart), m_pixelsPerPenUnit(pixelsPerPenUnit)
{
    m_chart->setLocalizeNumbers(true);
    m_chart->setLocale(shell::Numbers::userLocale());
    m_x = new QCategoryAxis(m_chart);
    m_x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_x->setGridLineVisible(false);
    m_grid = new QValueAxis(m_chart);
    m_grid->setLabelsVisible(false);
    m_grid->setLineVisible(false);
    m_y = new QValueAxis(m_chart);
    m_chart->addAxis(m_grid, Qt::AlignBottom);
    m_chart->addAxis(m_x, Qt::AlignBottom);
    m_chart->addAxis(m_y, Qt::AlignLeft);
}

void ChartRenderer::render(const ChartDescription& d)
{
    m_chart->legend()->setVisible(d.legendVisible);
    if (d.kind == ChartDescription::Kind::Bar) {
        renderBars(d);
        // The bar of row i sits at index i - 1 and is one unit wide: the axis moves with the bars.
        setAxes(d, -1, -0.5);
    } else {
        renderLines(d);
        setAxes(d, 0, 0);
    }
}

void ChartRenderer::removeSeries()
{
    for (QLineSeries* s : m_lines) {
        m_chart->removeSeries(s);
        delete s;
    }
    m_lines.clear();
    if (m_bars) {
        m_chart->removeSeries(m_bars);
        delete m_bars;
        m_bars = nullptr;
    }
}

void ChartRenderer::renderLines(const ChartDescription& d)
{
    if (m_bars || m_lines.size() != d.series.size())
        removeSeries();
    for (int j = 0; j < d.series.size(); ++j) {
        const ChartDescription::Series& s = d.series.at(j);
        QList<QPointF> points;
        if (j > 0 && isConstant(s.values)) {
            // A reference line: two points across the whole axis draw the same line as one point per row.
            points = {QPointF(d.x.minimum, s.values.first()), QPointF(d.x.maximum, s.values.first())};
        } else {
            points.reserve(s.values.size());
            for (int i = 0; i < s.values.size(); ++i)
                points.append(QPointF(i + 1, s.values.at(i)));
        }
        if (j == m_lines.size()) {
            auto* line = new QLineSeries;
            m_chart->addSeries(line);
            line->attachAxis(m_x);
            line->attachAxis(m_y);
            m_lines.append(line);
        }
        QLineSeries* line = m_lines.at(j);
        line->setName(s.name);
        line->setPen(seriesPen(s, m_pixelsPerPenUnit));
        // A single value has no line to draw; its point is shown instead.
        line->setPointsVisible(points.size() == 1);
        line->replace(points);
    }
}

void ChartRenderer::renderBars(const ChartDescription& d)
{
    if (!m_bars || !m_lines.isEmpty())
        removeSeries();
    if (!m_bars) {
        m_bars = new QBarSeries;
        m_bars->setBarWidth(0.8);
        m_chart->addSeries(m_bars);
        m_bars->attachAxis(m_x);
        m_bars->attachAxis(m_y);
    }
    // One bar set per series; the sets are rebuilt because QBarSet has no whole-list replace.
    m_bars->clear();
    for (const ChartDescription::Series& s : d.series) {
        auto* set = new QBarSet(s.name);
        set->setColor(s.colour);
        // A hairline outline in the bar colour keeps very narrow bars visible.
        set->setPen(QPen(s.colour, 0));
        set->append(s.values);
        m_bars->append(set);
    }
}

void ChartRenderer::setAxes(const ChartDescription& d, double rowOffset, double shift)
{
    const double lo = d.x.minimum + shift;
    // An empty chart still needs a range to lay out its axes.
    const double hi = std::max(d.x.maximum + shift, lo + 1);
    // The grid axis draws the divisions; the category axis only the row labels. Each label's category reaches back
    // to the one before, since Qt shortens a label to its category's width.
    m_grid->setRange(lo, hi);
    m_grid->setTickCount(std::max(1, d.x.majorDivision) + 1);
    m_grid->setMinorTickCount(std::max(0, d.x.minorDivision - 1));
    for (const QString& label : m_x->categoriesLabels())
        m_x->remove(label);
    m_x->setStartValue(lo);
    for (int i = 0; i < d.xLabels.size(); ++i)
        if (!d.xLabels.at(i).trimmed().isEmpty())
            m_x->append(d.xLabels.at(i), i + 1 + rowOffset);
    m_x->setRange(lo, hi);

    m_y->setRange(d.y.minimum, d.y.maximum);
    m_y->setTickCount(std::max(1, d.y.majorDivision) + 1);
    m_y->setMinorTickCount(std::max(0, d.y.minorDivision - 1));
}

} // namespace ui
