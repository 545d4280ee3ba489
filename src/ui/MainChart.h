#pragma once

#include "chart/ChartDescription.h"

#include <QObject>
#include <QPoint>

#include <memory>

class QChartView;
class QWidget;

namespace ui {

class ChartRenderer;

// The chart of the main window (MSChart1): shows descriptions on the window's chart view and tells the number and
// value of the point under the mouse.
class MainChart : public QObject
{
    Q_OBJECT
public:
    explicit MainChart(QChartView* view, QObject* parent = nullptr);
    ~MainChart() override;

    void show(const chart::ChartDescription& d);

    // Tool tip text for a mouse position in the view: "<row>: <value> <unit>" near a point of the values line,
    // empty elsewhere.
    QString toolTipAt(const QPoint& viewPos) const;

    QChartView* view() const { return m_view; }
    ChartRenderer& renderer() const { return *m_renderer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChartView* m_view;
    QWidget* m_viewport = nullptr;
    std::unique_ptr<ChartRenderer> m_renderer;
    QList<double> m_values;
    QString m_unit;
};

} // namespace ui
