// The charts at the table's limit: the main window chart shown for 5000 values including its first render, and
// the live redraws of a fast online run near 5000 points; each alone and through the main window, which also takes
// a whole 5000-value run at the line's fastest pace.
#include "PacedOnlineRun.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "TakeValue.h"
#include "chart/ChartBuilder.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "shell/Wait.h"
#include "table/ChartToggle.h"
#include "table/TableSession.h"
#include "ui/LiveChartUpdate.h"
#include "ui/MainChart.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QPixmap>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

chart::ChartInput input(int rows)
{
    chart::ChartInput in;
    in.rows.reserve(5000);
    for (int i = 1; i <= rows; ++i)
        in.rows.append({i, 70.0 + (i * 37 % 600) / 10.0, QStringLiteral("µm  ")});
    in.min = 70;
    in.max = 129.9;
    in.Emin = 80;
    in.Emax = 120;
    in.Esoll = 100;
    in.dataLegend = QStringLiteral("Daten");
    in.targetLabel = QStringLiteral("Sollwert    ");
    return in;
}

// The main window's chart area has about this size.
std::unique_ptr<QChartView> makeView()
{
    auto view = std::make_unique<QChartView>();
    view->resize(420, 320);
    return view;
}

void drawMain(ui::MainChart& main, const chart::ChartInput& in)
{
    main.show(chart::ChartBuilder::mainChart(in, chart::ChartData(in)));
}

void BM_ShowChart5000(benchmark::State& state)
{
    const chart::ChartInput in = input(5000);
    for (auto _ : state) {
        state.PauseTiming();
        auto view = makeView();
        state.ResumeTiming();
        ui::MainChart main(view.get());
        drawMain(main, in);
        QPixmap shot = view->grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_ShowChart5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One redraw of a shown chart after one more value (data, description, series refill and repaint).
void BM_LiveUpdate5000(benchmark::State& state)
{
    chart::ChartInput in = input(4999);
    auto view = makeView();
    ui::MainChart main(view.get());
    drawMain(main, in);
    view->grab();
    int nr = 5000;
    for (auto _ : state) {
        in.rows.resize(4999);
        in.rows.append({nr, 70.0 + nr % 60, QStringLiteral("µm  ")});
        ++nr;
        drawMain(main, in);
        QPixmap shot = view->grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_LiveUpdate5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A fast online run: 300 values arriving every 2 ms up to 5000 points, redraws paced by LiveChartUpdate. The
// counter is the redraw work per arrived value.
void BM_FastRunWorkPerValue(benchmark::State& state)
{
    constexpr int kValues = 300;
    qint64 workNs = 0;
    int redraws = 0;
    for (auto _ : state) {
        chart::ChartInput in = input(5000 - kValues);
        auto view = makeView();
        view->show();
        ui::MainChart main(view.get());
        ui::LiveChartUpdate live;
        QElapsedTimer work;
        QObject::connect(&live, &ui::LiveChartUpdate::redrawDue, [&] {
            work.start();
            drawMain(main, in);
            view->repaint();
            workNs += work.nsecsElapsed();
        });
        for (int i = 0; i < kValues; ++i) {
            const int nr = in.rows.size() + 1;
            in.rows.append({nr, 70.0 + nr % 60, QStringLiteral("µm  ")});
            live.valueAdded();
            QApplication::processEvents();
            QThread::usleep(2000);
        }
        live.flush();
        redraws += live.redraws();
    }
    state.counters["work_per_value_ms"] = workNs / 1e6 / (kValues * state.iterations());
    state.counters["redraws_per_run"] = static_cast<double>(redraws) / state.iterations();
}
BENCHMARK(BM_FastRunWorkPerValue)->Unit(benchmark::kMillisecond)->Iterations(3);

// The main window with a table of n values in view 0 (or 2 for online), its chart hidden.
struct Window {
    Program p{QStringLiteral("RD")};
    ui::frmTransfer w{*p.session};
    QPushButton* cmdChart = w.findChild<QPushButton*>(ctl::frmTransfer::cmdChart);
    QChartView* view = w.findChild<QChartView*>(ctl::frmTransfer::MSChart1);

    Window(int n, int tableView)
    {
        w.Form_Load();
        p.st.limits.Emin = 80;
        p.st.limits.Emax = 120;
        p.st.limits.Esoll = 100;
        for (int i = 1; i <= n; ++i)
            testsupport::take(p.st, p.table(),
                              {.wert = 70.0 + (i * 37 % 600) / 10.0, .material = "", .view = tableView});
        shell::Commands::EnableCommands(p.main());
        w.show();
        QApplication::processEvents();
    }
};

// cmdChart on a table of 5000 values: the chart input read from the table, the chart array, the description,
// the series and the first paint of the chart view.
void BM_CmdChart5000(benchmark::State& state)
{
    Window win(5000, 0);
    for (auto _ : state) {
        win.cmdChart->click();
        win.view->repaint();
        state.PauseTiming();
        win.cmdChart->click(); // back to the list
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CmdChart5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A fast online run through the main window, with the chart shown (chart:1) or the statistics list (chart:0): 300
// values every 2 ms up to 5000 rows. Timed is all work between the arrivals (the table's append and repaint, the
// statistics, the paced chart redraws); the counters split off the chart's share: its redraws (input read from the
// table, chart array, series, paint) per arrived value. The line's fastest pace leaves 7 ms per value.
void BM_OnlineRunInWindow(benchmark::State& state)
{
    const bool withChart = state.range(0) != 0;
    constexpr int kValues = 300;
    qint64 workNs = 0;
    qint64 chartNs = 0;
    int redraws = 0;
    for (auto _ : state) {
        Window win(5000 - kValues, 2);
        if (withChart)
            win.cmdChart->click();
        // The window's own redraw, timed.
        auto* live = win.w.findChild<ui::LiveChartUpdate*>();
        table::ChartToggle& toggle = win.p.table().chart();
        QObject::disconnect(live, &ui::LiveChartUpdate::redrawDue, nullptr, nullptr);
        QElapsedTimer chartWork;
        QObject::connect(live, &ui::LiveChartUpdate::redrawDue, [&] {
            chartWork.start();
            toggle.redraw();
            win.view->repaint();
            chartNs += chartWork.nsecsElapsed();
            ++redraws;
        });
        QElapsedTimer work;
        qint64 runNs = 0;
        for (int i = 0; i <= kValues; ++i) {
            work.start();
            if (i < kValues)
                testsupport::take(win.p.st, win.p.table(), {.wert = 70.0 + i % 60, .material = "", .view = 2});
            QApplication::processEvents();
            runNs += work.nsecsElapsed();
            QThread::usleep(i < kValues ? 2000 : 150000); // after the last value: its redraw
        }
        work.start();
        QApplication::processEvents();
        runNs += work.nsecsElapsed();
        workNs += runNs;
        state.SetIterationTime(runNs / 1e9);
    }
    const double values = kValues * state.iterations();
    state.counters["work_per_value_ms"] = workNs / 1e6 / values;
    state.counters["chart_work_per_value_ms"] = chartNs / 1e6 / values;
    state.counters["redraws_per_run"] = redraws / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OnlineRunInWindow)
    ->ArgName("chart")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

// A 5000-value "E" run from the simulator paced at 38400 baud into the shown main window, with the statistics list
// (chart:0) or the live chart (chart:1): every value's row, statistics, Online.mes and repaint must keep up with the
// line, so the wall time from the first to the last value stays at the line time of the bytes.
void PacedERunInWindow(benchmark::State& state)
{
    testsupport::Sandbox sandbox;
    SimulatedGauge sim;
    if (!pacedrun::startGauge(sim, state))
        return;
    Program prog(sandbox, QStringLiteral("RD"), Program::Line::Real);
    prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    ui::frmTransfer w(*prog.session);
    w.Form_Load();
    w.show();
    prog.main().setText(ctl::frmTransfer::ComboPort, QStringLiteral("COM7"));
    prog.link().cmdConnect_Click();
    instrument::OnlineReceiver& online = prog.session->online();
    for (auto _ : state) {
        int shown = 0;
        QElapsedTimer clock;
        auto* chartButton = w.findChild<QPushButton*>(ctl::frmTransfer::cmdChart);
        auto* chart = w.findChild<QChartView*>(ctl::frmTransfer::MSChart1);
        const auto c = QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [&] {
            if (++shown == 1) {
                clock.start();
                // The chart needs a value to show.
                if (state.range(0) != 0)
                    QTimer::singleShot(0, chartButton, &QPushButton::click);
            }
        });
        prog.table().onlineNr = 1;
        online.optOnline_Click();
        shell::waitUntil([&] { return shown >= pacedrun::kValues; }, 120000);
        if ((state.range(0) != 0) != chart->isVisible()) {
            state.SkipWithError("the chart is not shown as asked");
            break;
        }
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        QObject::disconnect(c);
        if (shown < pacedrun::kValues) {
            state.SkipWithError("not all values came");
            break;
        }
        pacedrun::report(state, wall);
    }
}
BENCHMARK(PacedERunInWindow)
    ->ArgName("chart")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);

} // namespace
