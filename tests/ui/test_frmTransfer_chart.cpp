// The chart on the main window: the chart command, the statistics list coming back, the large window and the chart
// following an online run.
#include "Program.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "table/ChartToggle.h"
#include "table/TableSession.h"
#include "ui/frmChartG.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
namespace ChartG = ctl::frmChartG;

namespace {

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
    QList<QLineSeries*> lines()
    {
        QList<QLineSeries*> out;
        for (QAbstractSeries* s : get<QChartView>(Main::MSChart1)->chart()->series())
            out << qobject_cast<QLineSeries*>(s);
        return out;
    }
    // Rows 1..n of a memory view as a read leaves them, then the view shown.
    void fill(int n, const QString& lastUnit = "µm  ")
    {
        for (int i = 1; i <= n; ++i)
            p.table().appendRow(0, "", "", i, 100 + (i % 5) * 4, i == n ? lastUnit : "µm  ", " Fe");
        p.table().optFE_Click();
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

TEST(MainWindowChart, ShowsTheTableWithLimitsAndTargetAndGoesBack)
{
    Window win;
    win.p.st.limits.Emin = 95;
    win.p.st.limits.Emax = 120;
    win.p.st.limits.Esoll = 110;
    win.fill(25);
    ASSERT_TRUE(win.shows(Main::lstStat));
    QApplication::processEvents();
    const QRect grid = win.get(Main::MSFlex)->geometry();
    const QSize size = win.w.size();
    win.click(Main::cmdChart);
    QApplication::processEvents();
    // The chart takes the list's place without moving anything else.
    EXPECT_EQ(win.get(Main::MSFlex)->geometry(), grid);
    EXPECT_EQ(win.w.size(), size);

    EXPECT_TRUE(win.shows(Main::MSChart1));
    EXPECT_FALSE(win.shows(Main::lstStat));
    EXPECT_EQ(win.get<QPushButton>(Main::cmdChart)->text(), "Stat");
    EXPECT_TRUE(win.shows(Main::cmdGross));
    auto* mean = win.get<QLabel>(Main::txtMittelwert);
    EXPECT_TRUE(mean->isVisible());
    EXPECT_EQ(mean->text(), "_ _ _Mittelwert       108,0");
    EXPECT_EQ(mean->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    const QList<QLineSeries*> s = win.lines();
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0]->count(), 25);
    EXPECT_EQ(s[0]->at(24), QPointF(25, 100));
    EXPECT_EQ(s[0]->pen().color(), QColor(0, 0, 153));
    EXPECT_EQ(s[1]->pen().color(), QColor(150, 0, 0));
    EXPECT_EQ(s[1]->at(0).y(), 110);
    EXPECT_EQ(s[2]->pen().color(), QColor(0, 130, 0));
    EXPECT_EQ(s[3]->at(0).y(), 120);
    EXPECT_EQ(s[3]->pen().style(), Qt::DotLine);
    EXPECT_DOUBLE_EQ(s[0]->pen().widthF(), 2 * s[1]->pen().widthF());
    QChart* c = win.get<QChartView>(Main::MSChart1)->chart();
    auto* x = qobject_cast<QCategoryAxis*>(s[0]->attachedAxes().value(0));
    auto* y = qobject_cast<QValueAxis*>(c->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->max(), 25);
    EXPECT_EQ(x->categoriesLabels(), QStringList{" 25"});
    EXPECT_EQ(y->min(), 100);
    EXPECT_EQ(y->max(), 116);
    EXPECT_EQ(win.p.table().chart().AnzahlWerte(), 25);

    win.click(Main::cmdChart);
    EXPECT_FALSE(win.shows(Main::MSChart1));
    EXPECT_TRUE(win.shows(Main::lstStat));
    EXPECT_EQ(win.get<QPushButton>(Main::cmdChart)->text(), "Chart");
    EXPECT_FALSE(win.shows(Main::cmdGross));
    EXPECT_FALSE(win.shows(Main::txtMittelwert));

    // Any statistics update of a memory view returns to the list.
    win.click(Main::cmdChart);
    win.p.table().appendRow(0, "", "", 26, 90, "µm  ", " Fe");
    EXPECT_FALSE(win.shows(Main::MSChart1));
    EXPECT_TRUE(win.shows(Main::lstStat));
    EXPECT_EQ(win.get<QPushButton>(Main::cmdChart)->text(), "Chart");
    EXPECT_FALSE(win.shows(Main::cmdGross));
}

TEST(MainWindowChart, MixedUnitsAndNoRowsToPlotDoNothing)
{
    Window win;
    win.fill(5, "G   ");
    win.click(Main::cmdChart);
    EXPECT_FALSE(win.shows(Main::MSChart1));
    EXPECT_EQ(win.get<QListWidget>(Main::lstStat)->item(4)->text(), " Statistik nicht möglich,");
    EXPECT_EQ(win.get<QPushButton>(Main::cmdChart)->text(), "Chart");

    // A first row without a number leaves nothing to plot, though the list has its figures.
    win.p.table().prepareTransfer(0);
    win.p.table().appendRow(0, "", "", 0, 12.5, "µm  ", " Fe");
    win.p.table().appendRow(0, "", "", 2, 13.5, "µm  ", " Fe");
    win.p.table().optFE_Click();
    ASSERT_TRUE(win.shows(Main::cmdChart));
    win.click(Main::cmdChart);
    EXPECT_FALSE(win.shows(Main::MSChart1));
    EXPECT_TRUE(win.shows(Main::lstStat));
    EXPECT_FALSE(win.shows(Main::cmdGross));
}

TEST(MainWindowChart, GrossOpensTheLargeWindowModally)
{
    Window win("en_US.UTF-8");
    win.p.shell->English_Click();
    win.p.st.limits.Emin = 95;
    win.p.st.limits.Emax = 120;
    win.fill(25);
    win.click(Main::cmdChart);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* g = qobject_cast<ui::frmChartG*>(QApplication::activeModalWidget());
        ASSERT_NE(g, nullptr);
        seen = true;
        EXPECT_EQ(g->windowTitle(), "RONDO TRANSFER V3.1");
        EXPECT_EQ(g->findChild<QPushButton*>(ChartG::cmdChartType)->text(), "Line / Bar");
        EXPECT_EQ(g->findChild<QLabel*>(ChartG::lblMean)->text(), "Average       108.0");
        QStringList names;
        for (QAbstractSeries* s : g->findChild<QChartView*>(ChartG::MSChartG)->chart()->series())
            names << s->name();
        EXPECT_EQ(names, (QStringList{"Data", "Minimum 95", "Maximum 120"}));
        g->close();
    });
    win.click(Main::cmdGross);
    EXPECT_TRUE(seen);
}

TEST(MainWindowChart, FollowsAnOnlineRunAtMostTenTimesASecond)
{
    Window win;
    table::TableSession& t = win.p.table();
    int nr = 0;
    auto online = [&](const QString& unit = "µm  ") {
        ++nr;
        t.appendRow(2, "", "", nr, 50 + nr % 9, unit, "");
    };
    // The chart of a memory view does not become the online chart.
    win.fill(3);
    win.click(Main::cmdChart);
    online();
    EXPECT_FALSE(win.shows(Main::MSChart1));
    online();
    shell::Commands::EnableCommands(win.p.main());
    win.click(Main::cmdChart);
    QLineSeries* values = win.lines().value(0);
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
