// Online mode at the table's limit and at the line's pace: one "E" value from its arrival to its row, the statistics
// and Online.mes synced on disk, with 5000 rows in the table; a whole 5000-value run from the paced simulator
// against the line time of its bytes; and the memory of a 10 000-line "V" run.
#include "PacedOnlineRun.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "shell/Controls.h"
#include "shell/Wait.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

const QString kEot = QString(QChar(4));

QString record(int nr, double value, const QString& unit)
{
    return QString::number(nr % 10000).rightJustified(4) + QStringLiteral("  ") +
           QString::number(value, 'f', 1).rightJustified(10) + QLatin1Char(' ') + unit.leftJustified(4) +
           QStringLiteral("  Fe\r\n");
}

// A connected program on a scripted line, online.
struct Online {
    Program prog;
    FakeLine& line;
    instrument::OnlineReceiver& online;

    Online(const QString& edition, const QString& identification)
        : prog(edition), line(prog.line()), online(prog.session->online())
    {
        prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
        line.answers[QStringLiteral("$kova00$")] = identification + kEot;
        prog.start();
        prog.main().setText(ctl::frmTransfer::ComboPort, QStringLiteral("COM3"));
        prog.link().cmdConnect_Click();
        online.optOnline_Click();
    }
    void value(int i, const QString& unit)
    {
        line.push(record(i, 70.0 + (i * 37 % 600) / 10.0, unit));
        QCoreApplication::processEvents();
    }
};

long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// The work one "E" value causes, once 4999 rows are in the table: decode, row, colours, statistics, display,
// Online.mes rewritten and synced. With argument 1 the run goes on behind the first memory's view: the value is
// stored, counted and saved, with the statistics for Online.mes worked out from the rows. With argument 2 the
// SSPC-PA 2 rule is on: its spots and areas are worked out over all rows for every value.
void EValueCommitted5000(benchmark::State& state)
{
    Online o(QStringLiteral("RD"), QStringLiteral("FN-B SN 1\r\nM1:0\r\nM2:0\r\n"));
    o.prog.st.limits.Emin = 80;
    o.prog.st.limits.Emax = 120;
    if (state.range(0) == 2) {
        o.prog.st.limits.E8020 = true;
        o.prog.st.rule.kind = shell::RuleKind::SspcPa2;
    }
    for (int i = 1; i < 5000; ++i)
        o.value(i, QStringLiteral("µm"));
    table::TableSession& table = o.prog.table();
    if (state.range(0) == 1)
        table.optFE_Click();
    for (auto _ : state) {
        state.PauseTiming();
        // The same last row each time: the table is at 5000 rows for every measured value.
        table.Messdaten.at(2, 5000) = {};
        table.onlineNr = 5000;
        state.ResumeTiming();
        o.value(5000, QStringLiteral("µm"));
    }
    if (table.Messdaten.rowCount(2) != 5000)
        state.SkipWithError("the table is not full");
}
BENCHMARK(EValueCommitted5000)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A 5000-value "E" run from the simulator paced at 38400 baud, a record as fast as the line carries it.
void PacedERun5000(benchmark::State& state)
{
    testsupport::Sandbox sandbox;
    SimulatedGauge sim;
    if (!pacedrun::startGauge(sim, state))
        return;
    Program prog(sandbox, QStringLiteral("RD"), Program::Line::Real);
    prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    prog.start();
    prog.main().setText(ctl::frmTransfer::ComboPort, QStringLiteral("COM7"));
    prog.link().cmdConnect_Click();
    instrument::OnlineReceiver& online = prog.session->online();
    for (auto _ : state) {
        int shown = 0;
        QElapsedTimer clock;
        const auto c = QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [&] {
            if (++shown == 1)
                clock.start(); // from the first value on: the line time of the rest is known
        });
        prog.table().onlineNr = 1;
        online.optOnline_Click();
        shell::waitUntil([&] { return shown >= pacedrun::kValues; }, 120000);
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        QObject::disconnect(c);
        if (shown < pacedrun::kValues) {
            state.SkipWithError("not all values came");
            break;
        }
        pacedrun::report(state, wall);
        prog.table().MessdatenLoeschen(2);
    }
}
BENCHMARK(PacedERun5000)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

// Memory over a 10 000-line "V" run: the line store holds one run's worth and drops the rest.
void VRun10000Memory(benchmark::State& state)
{
    for (auto _ : state) {
        Online o(QStringLiteral("VX5"), QStringLiteral("VX-5 SN 1\r\nM1:0\r\n"));
        o.prog.dialogs.answers.clear();
        for (int i = 1; i <= 1000; ++i)
            o.value(i, QStringLiteral("A/cm"));
        const long before = residentKiB();
        for (int i = 1001; i <= 10000; ++i)
            o.value(i, QStringLiteral("A/cm"));
        state.counters["growth_MiB"] = double(residentKiB() - before) / 1024.0;
        state.counters["rows"] = o.prog.table().Messdaten.rowCount(2);
    }
}
BENCHMARK(VRun10000Memory)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

} // namespace
