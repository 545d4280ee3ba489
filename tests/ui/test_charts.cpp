// The chart views and the chart on the main window. What the descriptions hold is the chart tests' work; here the
// widgets must show it, the chart command must swap it with the statistics list, and redraws must be paced.
#include "Program.h"
#include "TakeValue.h"
#include "chart/ChartBuilder.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "table/ChartToggle.h"
#include "table/TableSession.h"
#include "ui/MainChart.h"
#include "ui/frmChartG.h"
#include "ui/frmTransfer.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
namespace ChartG = ctl::frmChartG;
using chart::ChartBuilder;
using chart::ChartDescription;

namespace {

chart::ChartInput limitsInput(int rows)
{
    chart::ChartInput in;
    for (int i = 1; i <= rows; ++i)
        in.rows.append({i, 100.0 + (i % 7) * 3, "µm  "});
    in.min = 100;
    in.max = 118;
    in.Emin = 102;
    in.Emax = 115;
    in.anz_min = "       95,0";
    in.anz_max = "      120,0";
    in.anz_mean = "      108,6";
    in.meanLabel = "Mittelwert";
    in.dataLegend = "Daten";
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

QValueAxis* yAxis(QChartView* v)
{
    return qobject_cast<QValueAxis*>(v->chart()->axes(Qt::Vertical).value(0));
}

// The view's lines are the description's: names, last points, colours, dots, the ratios of the widths, the range.
void expectShows(QChartView* v, const ChartDescription& d)
{
    const QList<QLineSeries*> s = lines(v);
    ASSERT_EQ(s.size(), d.series.size());
    EXPECT_EQ(s[0]->count(), d.series[0].values.size());
    for (int i = 0; i < s.size(); ++i) {
        const ChartDescription::Series& e = d.series[i];
        EXPECT_EQ(s[i]->name(), e.name);
        EXPECT_EQ(s[i]->at(s[i]->count() - 1), QPointF(i ? d.x.maximum : e.values.size(), e.values.last())) << i;
        EXPECT_EQ(s[i]->pen().color(), e.colour) << i;
        EXPECT_EQ(s[i]->pen().style() == Qt::DotLine, e.style == ChartDescription::LineStyle::Dotted) << i;
        EXPECT_DOUBLE_EQ(s[i]->pen().widthF() * d.series[0].penWidth, s[0]->pen().widthF() * e.penWidth) << i;
    }
    ASSERT_NE(yAxis(v), nullptr);
    EXPECT_EQ(yAxis(v)->min(), d.y.minimum);
    EXPECT_EQ(yAxis(v)->max(), d.y.maximum);
}

// The main window on a program, with the rows of a memory view as a read leaves them.
struct Window {
    Program p;
    ui::frmTransfer w;

    explicit Window(const QByteArray& locale = "de_DE.UTF-8") : p("RD", locale), w(*p.session)
    {
        EXPECT_TRUE(w.Form_Load());
        w.show();
    }
    template <class W = QWidget> W* get(const QString& name) { return w.findChild<W*>(name); }
    bool shows(const QString& name) { return get(name)->isVisible(); }
    void click(const QString& name) { get<QPushButton>(name)->click(); }
    void take(const testsupport::Value& v) { testsupport::take(p.st, p.table(), v); }
    void fill(int n, const QString& lastUnit = "µm  ")
    {
        for (int i = 1; i <= n; ++i)
            take({.wert = 100.0 + (i % 5) * 4, .nr = i, .einheit = i == n ? lastUnit : "µm  "});
        p.table().optFE_Click();
    }
    // The list in its place, the chart and its commands gone.
    void expectList()
    {
        EXPECT_FALSE(shows(Main::MSChart1));
        EXPECT_TRUE(shows(Main::lstStat));
        EXPECT_EQ(get<QPushButton>(Main::cmdChart)->text(), "Chart");
        EXPECT_FALSE(shows(Main::cmdGross));
    }
};

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(Charts, MainChartShowsTheDescriptionAxesAndToolTips)
{
    // A view of its own: the main window's chart view already has the window's chart on it.
    testsupport::Sandbox sb("de_DE.UTF-8");
    QChartView view;
    view.resize(420, 320);
    view.show();
    ui::MainChart main(&view);

    chart::ChartInput in = limitsInput(25);
    in.Esoll = 110;
    ChartDescription d = ChartBuilder::mainChart(in, chart::ChartData(in));
    main.show(d);
    expectShows(&view, d);
    QCategoryAxis* x = nullptr;
    for (QAbstractAxis* a : view.chart()->axes(Qt::Horizontal))
        x = x ? x : qobject_cast<QCategoryAxis*>(a);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->max(), 25);
    EXPECT_TRUE(x->categoriesLabels().contains(" 25"));

    // A live update with fewer reference lines reuses nothing it should not keep.
    in.Esoll = 0;
    in.rows.append({26, 99.5, "µm  "});
    d = ChartBuilder::mainChart(in, chart::ChartData(in));
    main.show(d);
    expectShows(&view, d);
    EXPECT_EQ(x->max(), 26);

    QApplication::processEvents();
    const QPoint onPoint =
        view.mapFromScene(view.chart()->mapToScene(view.chart()->mapToPosition(QPointF(26, 99.5), lines(&view)[0])));
    EXPECT_EQ(main.toolTipAt(onPoint + QPoint(0, 40)), "");
    QMouseEvent move(QEvent::MouseMove, QPointF(onPoint), view.viewport()->mapToGlobal(QPointF(onPoint)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    EXPECT_EQ(QToolTip::text(), "26: 99,5 µm");
}

// Switching to bars and back, and following a run, are the online chart test's work; here a new opening starts with
// lines, the menu entry follows the language, pictures are saved and a failing one is told.
TEST(Charts, LargeWindowStartsWithLinesAndSavesPictures)
{
    testsupport::Sandbox sb("de_DE.UTF-8");
    testsupport::ScriptedDialogs dlg;
    ui::frmChartG empty(dlg); // opened before any data: an empty chart, no crash
    empty.show();
    EXPECT_EQ(lines(empty.findChild<QChartView*>(ChartG::MSChartG)).value(0)->count(), 0);

    ui::frmChartG g(dlg);
    const chart::ChartInput in = limitsInput(40);
    g.setData(in, 0, "RONDO TRANSFER V3.1", sb.root());
    g.show();
    EXPECT_TRUE(g.isModal());
    auto* view = g.findChild<QChartView*>(ChartG::MSChartG);
    g.cmdChartType_Click();
    g.hide();
    g.show();
    EXPECT_FALSE(g.barChart());
    expectShows(view, ChartBuilder::largeLineChart(in, chart::ChartData(in)));

    auto* save = g.findChild<QAction*>(ChartG::mnuSavePng);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Als PNG speichern...");
    EXPECT_TRUE(view->actions().contains(save));
    dlg.files << sb.root() + "/chart" << sb.root() + "/missing/folder/chart.png";
    save->trigger();
    EXPECT_EQ(dlg.lastFolder, sb.root());
    EXPECT_EQ(QImage(sb.root() + "/chart.png").size(), view->size() * view->devicePixelRatio());
    EXPECT_TRUE(dlg.shown.isEmpty());
    save->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Das Bild konnte nicht gespeichert werden: "));
    g.setData(in, 1, "RONDO TRANSFER V3.1");
    g.hide();
    g.show();
    EXPECT_EQ(save->text(), "Save as PNG...");
}

TEST(MainWindowChart, ShowsTheTableWithLimitsAndTargetAndGoesBack)
{
    Window win;
    win.p.st.limits = {95, 120, 110, false, {}, {}, {}};
    win.fill(25);
    win.click(Main::cmdChart); // it takes the list's place without moving anything: the layout test's work
    EXPECT_TRUE(win.shows(Main::MSChart1));
    EXPECT_FALSE(win.shows(Main::lstStat));
    EXPECT_EQ(win.get<QPushButton>(Main::cmdChart)->text(), "Stat");
    EXPECT_TRUE(win.shows(Main::cmdGross));
    EXPECT_EQ(win.get<QLabel>(Main::txtMittelwert)->text(), "_ _ _Mittelwert       108,0");

    // The table's rows, limits, target and range reach the chart.
    auto* view = win.get<QChartView>(Main::MSChart1);
    const table::ChartToggle& chart = win.p.table().chart();
    expectShows(view, ChartBuilder::mainChart(chart.input(), chart.data()));
    const QList<QLineSeries*> s = lines(view);
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0]->at(24), QPointF(25, 100));
    EXPECT_EQ(s[1]->at(0).y(), 110);
    EXPECT_EQ(s[2]->at(0).y(), 95);
    EXPECT_EQ(s[3]->at(0).y(), 120);

    win.click(Main::cmdChart);
    win.expectList();
    EXPECT_FALSE(win.shows(Main::txtMittelwert));

    // Any statistics update of a memory view returns to the list.
    win.click(Main::cmdChart);
    win.take({.wert = 90});
    win.expectList();
}

TEST(MainWindowChart, FollowsAnOnlineRunAtMostTenTimesASecond)
{
    Window win;
    int nr = 0;
    auto online = [&](const QString& unit = "µm  ") {
        ++nr;
        win.take({.wert = 50.0 + nr % 9, .einheit = unit, .material = "", .view = 2});
    };
    // The chart of a memory view does not become the online chart.
    win.fill(3);
    win.click(Main::cmdChart);
    online();
    EXPECT_FALSE(win.shows(Main::MSChart1));
    online();
    shell::Commands::EnableCommands(win.p.main());
    win.click(Main::cmdChart);
    QLineSeries* values = lines(win.get<QChartView>(Main::MSChart1)).value(0);
    ASSERT_NE(values, nullptr);
    int redraws = 0;
    QObject::connect(values, &QLineSeries::pointsReplaced, [&] { ++redraws; });

    // A value every 2 ms for 800 ms.
    QElapsedTimer t0;
    t0.start();
    while (t0.elapsed() < 800) {
        online();
        QThread::msleep(2);
        QApplication::processEvents();
    }
    const qint64 took = t0.elapsed();
    runFor(150);
    EXPECT_TRUE(win.shows(Main::MSChart1));
    EXPECT_FALSE(win.shows(Main::lstStat));
    EXPECT_TRUE(win.shows(Main::cmdGross));
    EXPECT_EQ(values->count(), nr);
    EXPECT_GE(redraws, 4);
    EXPECT_LE(redraws, took / 100 + 2);
    EXPECT_EQ(win.get<QLabel>(Main::txtMittelwert)->text(), "_ _ _Mittelwert " + win.p.table().statistik().anz_mean);

    // The large window follows the run as well, in the chart type it shows.
    QTimer::singleShot(0, [&] {
        auto* g = qobject_cast<ui::frmChartG*>(QApplication::activeModalWidget());
        ASSERT_NE(g, nullptr);
        g->cmdChartType_Click();
        for (int i = 0; i < 5; ++i)
            online();
        runFor(150);
        EXPECT_TRUE(g->barChart());
        auto* bars = qobject_cast<QBarSeries*>(g->findChild<QChartView*>(ChartG::MSChartG)->chart()->series().value(0));
        EXPECT_EQ(bars ? bars->barSets().first()->count() : 0, nr);
        EXPECT_EQ(g->findChild<QLabel*>(ChartG::lblMean)->text(), "Mittelwert " + win.p.table().statistik().anz_mean);
        g->close();
    });
    win.click(Main::cmdGross);

    // Hidden before a waiting redraw: none comes.
    online();
    win.click(Main::cmdChart);
    const int before = redraws;
    runFor(150);
    EXPECT_EQ(redraws, before);

    // Shown again, a value of another unit brings the list and its notice back.
    win.click(Main::cmdChart);
    online("G   ");
    EXPECT_FALSE(win.shows(Main::MSChart1));
    EXPECT_TRUE(win.shows(Main::lstStat));
}
