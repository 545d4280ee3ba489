// The chart views: the main window's chart, the large chart window and the live redraw pacing. What the series
// hold is the chart tests' work; here the widgets must show it.
#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "chart/ChartBuilder.h"
#include "shell/Controls.h"
#include "ui/ChartRenderer.h"
#include "ui/LiveChartUpdate.h"
#include "ui/MainChart.h"
#include "ui/frmChartG.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QToolTip>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace ChartG = ctl::frmChartG;
using chart::ChartBuilder;

namespace {

chart::ChartInput limitsInput(int rows)
{
    chart::ChartInput in;
    for (int i = 1; i <= rows; ++i)
        in.rows.append({i, 100.0 + (i % 7) * 3, QStringLiteral("µm  ")});
    in.min = 100;
    in.max = 118;
    in.Emin = 102;
    in.Emax = 115;
    in.anz_min = "       95,0";
    in.anz_max = "      120,0";
    in.anz_mean = "      108,6";
    in.meanLabel = "Mittelwert";
    in.dataLegend = "Daten";
    in.targetLabel = "Sollwert    ";
    in.chartTypeCaption = "Linie / Balken";
    return in;
}

QList<QLineSeries*> lines(QChartView* v)
{
    QList<QLineSeries*> out;
    for (QAbstractSeries* s : v->chart()->series())
        if (auto* l = qobject_cast<QLineSeries*>(s))
            out << l;
    return out;
}

} // namespace

TEST(Charts, MainWindowChartShowsValuesLimitsAxesAndToolTips)
{
    // A view of its own: the main window's chart view already has the window's chart on it.
    testsupport::Sandbox sb("de_DE.UTF-8");
    QChartView chartView;
    QChartView* view = &chartView;
    view->resize(420, 320);
    view->show();
    ui::MainChart main(view);

    chart::ChartInput in = limitsInput(25);
    in.Esoll = 110;
    main.show(ChartBuilder::mainChart(in, chart::ChartData(in)));
    QList<QLineSeries*> s = lines(view);
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0]->count(), 25);
    EXPECT_EQ(s[0]->at(24), QPointF(25, 112));
    EXPECT_EQ(s[0]->pen().color(), QColor(0, 0, 153));
    EXPECT_EQ(s[0]->pen().style(), Qt::SolidLine);
    EXPECT_EQ(s[1]->pen().color(), QColor(150, 0, 0));
    EXPECT_EQ(s[1]->pen().style(), Qt::DotLine);
    EXPECT_EQ(s[3]->pen().color(), QColor(0, 130, 0));
    EXPECT_DOUBLE_EQ(s[0]->pen().widthF(), 2 * s[2]->pen().widthF());
    EXPECT_EQ(s[2]->at(0).y(), 102);
    EXPECT_EQ(s[3]->at(s[3]->count() - 1), QPointF(25, 115));
    EXPECT_FALSE(view->chart()->legend()->isVisible());

    QCategoryAxis* x = nullptr;
    for (QAbstractAxis* a : view->chart()->axes(Qt::Horizontal))
        x = x ? x : qobject_cast<QCategoryAxis*>(a);
    auto* y = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->min(), 0);
    EXPECT_EQ(x->max(), 25);
    EXPECT_TRUE(x->categoriesLabels().contains(" 25"));
    EXPECT_EQ(y->min(), 100);
    EXPECT_EQ(y->max(), 118);

    // A live update with fewer reference lines reuses nothing it should not keep.
    in.Esoll = 0;
    in.rows.append({26, 99.5, "µm  "});
    main.show(ChartBuilder::mainChart(in, chart::ChartData(in)));
    s = lines(view);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0]->count(), 26);
    EXPECT_EQ(s[1]->pen().color(), QColor(0, 130, 0));
    EXPECT_EQ(x->max(), 26);

    QApplication::processEvents();
    const QPoint onPoint =
        view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(QPointF(26, 99.5), s[0])));
    EXPECT_EQ(main.toolTipAt(onPoint), "26: 99,5 µm");
    EXPECT_EQ(main.toolTipAt(onPoint + QPoint(0, 40)), "");
    QMouseEvent move(QEvent::MouseMove, QPointF(onPoint), view->viewport()->mapToGlobal(QPointF(onPoint)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(QToolTip::text(), "26: 99,5 µm");
}

TEST(Charts, LargeWindowSwitchesLinesAndBarsAndSavesPictures)
{
    testsupport::Sandbox sb("de_DE.UTF-8");
    testsupport::ScriptedDialogs dlg;
    ui::frmChartG g(dlg);
    g.setData(limitsInput(40), 0, "RONDO TRANSFER V3.1", sb.root());
    g.show();
    EXPECT_EQ(g.objectName(), ChartG::form);
    EXPECT_TRUE(g.isModal());
    EXPECT_EQ(g.windowTitle(), "RONDO TRANSFER V3.1");
    auto* view = g.findChild<QChartView*>(ChartG::MSChartG);
    auto* type = g.findChild<QPushButton*>(ChartG::cmdChartType);
    ASSERT_TRUE(view && type);
    EXPECT_EQ(type->text(), "Linie / Balken");
    EXPECT_EQ(g.findChild<QLabel*>(ChartG::lblStrich)->text(), "__ __ __ ");
    EXPECT_EQ(g.findChild<QLabel*>(ChartG::lblMean)->text(), "Mittelwert       108,6");

    auto checkLines = [&] {
        QList<QLineSeries*> s = lines(view);
        ASSERT_EQ(s.size(), 3);
        EXPECT_EQ(s[0]->name(), "Daten");
        EXPECT_EQ(s[1]->name(), "Minimum 102");
        EXPECT_EQ(s[2]->name(), "Maximum 115");
        EXPECT_GT(s[0]->pen().widthF(), s[1]->pen().widthF());
        EXPECT_EQ(s[2]->pen().style(), Qt::DotLine);
        EXPECT_TRUE(view->chart()->legend()->isVisible());
        EXPECT_EQ(view->chart()->legend()->markers().size(), 3);
        auto* y = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
        EXPECT_EQ(y->min(), 95);
        EXPECT_EQ(y->max(), 120);
    };
    checkLines();

    type->click();
    EXPECT_TRUE(g.barChart());
    ASSERT_EQ(view->chart()->series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(view->chart()->series().first());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 1);
    EXPECT_EQ(bars->barSets().first()->label(), "Data");
    EXPECT_EQ(bars->barSets().first()->count(), 40);
    EXPECT_EQ(g.findChild<QLabel*>(ChartG::lblMean)->text(), "Mittelwert       108,6");
    type->click();
    checkLines();

    // Every opening starts with lines again.
    type->click();
    g.hide();
    g.show();
    EXPECT_FALSE(g.barChart());
    checkLines();

    // Saving: the menu entry by language, a picture of the chart, a message when it cannot be written.
    auto* save = g.findChild<QAction*>(ChartG::mnuSavePng);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Als PNG speichern...");
    EXPECT_TRUE(view->actions().contains(save));
    dlg.files << sb.root() + "/chart";
    save->trigger();
    EXPECT_EQ(dlg.lastFolder, sb.root());
    QImage saved(sb.root() + "/chart.png");
    EXPECT_EQ(saved.size(), view->size() * view->devicePixelRatio());
    EXPECT_TRUE(dlg.shown.isEmpty());
    dlg.files << sb.root() + "/missing/folder/chart.png";
    save->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Das Bild konnte nicht gespeichert werden: "));

    // Opened before any data: an empty chart, no crash.
    ui::frmChartG empty(dlg);
    empty.show();
    EXPECT_EQ(lines(empty.findChild<QChartView*>(ChartG::MSChartG)).value(0)->count(), 0);

    g.setData(limitsInput(40), 1, "RONDO TRANSFER V3.1");
    g.hide();
    g.show();
    EXPECT_EQ(save->text(), "Save as PNG...");
}

TEST(Charts, LiveUpdatesCoalesceAndNeverLag)
{
    ui::LiveChartUpdate live(nullptr, 50);
    int drawn = 0;
    int seen = 0;
    int value = 0;
    QObject::connect(&live, &ui::LiveChartUpdate::redrawDue, [&] {
        ++drawn;
        seen = value;
    });
    // A burst arriving together is one redraw showing its last value.
    for (value = 1; value <= 20; ++value)
        live.valueAdded();
    --value;
    QApplication::processEvents();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(seen, 20);

    // A value every 2 ms for 400 ms: at most one redraw per 50 ms.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400) {
        ++value;
        live.valueAdded();
        QThread::msleep(2);
        QApplication::processEvents();
    }
    EXPECT_LE(drawn, 1 + t.elapsed() / 50 + 1);
    EXPECT_GE(drawn, 3);
    live.flush();
    EXPECT_FALSE(live.pending());
    EXPECT_EQ(seen, value);
}
