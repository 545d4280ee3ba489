#include "MainChart.h"

#include "ChartRenderer.h"
#include "shell/Numbers.h"

#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>

#include <cmath>

namespace ui {

namespace {

// How close (in pixels) the mouse must come to a point for its tool tip.
constexpr double kHoverRadius = 8.0;

} // namespace

MainChart::MainChart(QChartView* view, QObject* parent)
    : QObject(parent), m_view(view),
      m_renderer(std::make_unique<ChartRenderer>(view->chart(), ChartRenderer::kMainPixelsPerPenUnit))
{
    QChart* c = view->chart();
    // The main window's chart is small: thin margins, except on the right, where the last row number is centred
    // on the end of the axis and needs half its width beyond it.
    const int halfLabel = QFontMetrics(c->font()).horizontalAdvance(QStringLiteral(" 5000")) / 2;
    c->setMargins(QMargins(2, 2, halfLabel + 2, 2));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    view->setRenderHint(QPainter::Antialiasing);
    m_viewport = view->viewport();
    m_viewport->setMouseTracking(true);
    m_viewport->installEventFilter(this);
}

MainChart::~MainChart() = default;

void MainChart::show(const chart::ChartDescription& d)
{
    m_renderer->render(d);
    m_values = d.series.isEmpty() ? QList<double>() : d.series.first().values;
    m_unit = d.unit.trimmed();
}

QString MainChart::toolTipAt(const QPoint& viewPos) const
{
    QLineSeries* line = m_renderer->valuesLine();
    if (!line || m_values.isEmpty())
        return {};
    QChart* c = m_view->chart();
    const QPointF scenePos = m_view->mapToScene(viewPos);
    const QPointF chartPos = c->mapFromScene(scenePos);
    if (!c->plotArea().adjusted(-kHoverRadius, -kHoverRadius, kHoverRadius, kHoverRadius).contains(chartPos))
        return {};
    const QPointF value = c->mapToValue(chartPos, line);
    const int row = std::clamp(static_cast<int>(std::lround(value.x())), 1, static_cast<int>(m_values.size()));
    const QPointF at = c->mapToPosition(QPointF(row, m_values.at(row - 1)), line);
    if (std::hypot(at.x() - chartPos.x(), at.y() - chartPos.y()) > kHoverRadius)
        return {};
    QString text = QString::number(row) + QStringLiteral(": ") + shell::Numbers::formatGeneral(m_values.at(row - 1));
    if (!m_unit.isEmpty())
        text += QLatin1Char(' ') + m_unit;
    return text;
}

bool MainChart::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport is compared by its stored address: while the view is being destroyed its events still come
    // here, and the view can no longer be asked for it.
    if (event->type() == QEvent::MouseMove && watched == m_viewport) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QString tip = toolTipAt(pos);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(m_viewport->mapToGlobal(pos), tip, m_viewport);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
