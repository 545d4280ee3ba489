// The archive at the size of years of use: 10 000 series and about a million readings. Opening the history list,
// a text filter, a 5000-reading series opened into the table, one online value with and without the archive, and
// the file's size per million readings.
#include "Program.h"
#include "archive/Archive.h"
#include "link/LinkSession.h"
#include "link/OnlineReceiver.h"
#include "session/ArchiveRecorder.h"
#include "shell/Controls.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSeries = 10000;
constexpr int kReadings = 100; // per series; one more series holds 5000

// Fills folder with the archive of a few years of inspections; returns the id of the 5000-reading series.
qint64 generate(const QString& folder)
{
    archive::Archive a;
    if (!a.open(folder).ok())
        return 0;
    static const char* const models[] = {"FNB", "FEB", "FNS", "VX5", "QL7"};
    static const char* const sites[] = {"Brücke", "Halle", "Tank", "Mast", "Kran", "Silo"};
    const QDateTime first(QDate(2022, 1, 3), QTime(7, 0));
    qint64 big = 0;
    for (int i = 0; i <= kSeries; ++i) {
        archive::Series s;
        s.kind = archive::Kind(1 + i % 3);
        s.view = i % 3;
        s.started = s.ended = first.addSecs(qint64(i) * 9000);
        s.edition = QStringLiteral("RONDO TRANSFER V3.1");
        s.model = QString::fromLatin1(models[i % 5]);
        s.port = QStringLiteral("COM%1").arg(3 + i % 4);
        s.firmware = QStringLiteral("2.14");
        s.probe = QStringLiteral("F1.5 1.07");
        s.mac = QStringLiteral("00:1A:7D:DA:%1:13").arg(i % 97, 2, 10, QLatin1Char('0'));
        s.settings.projectLabels = QStringList{"Objekt", "Auftrag", "Bauteil", "Schicht", "Ort", "Prüfer"};
        s.settings.projectFields =
            QStringList{QStringLiteral("%1 %2").arg(QString::fromUtf8(sites[i % 6])).arg(i % 400),
                        QStringLiteral("A-%1").arg(20000 + i),
                        "",
                        "",
                        "",
                        "K. Weber"};
        s.settings.Emin = 80;
        s.settings.Emax = 160;
        std::vector<archive::Reading> readings(size_t(i == kSeries / 2 ? 5000 : kReadings));
        for (size_t r = 0; r < readings.size(); ++r)
            readings[r] = {qint16(r + 1),
                           80 + double((i * 31 + r * 7) % 900) / 10,
                           QStringLiteral("µm  "),
                           QStringLiteral(" Fe"),
                           s.started.date().toString(QStringLiteral("dd.MM.yyyy")),
                           s.started.addSecs(qint64(r) * 2).time().toString(QStringLiteral("hh:mm:ss"))};
        s.count = int(readings.size());
        s.mean = 120;
        s.unit = QStringLiteral("µm  ");
        s.verdict = QStringLiteral("ok");
        const qint64 id = a.add(s, readings);
        if (i == kSeries / 2)
            big = id;
    }
    return big;
}

// One program whose data folder holds the generated archive, made once for all benchmarks.
struct Generated {
    Program prog{QStringLiteral("RD")};
    qint64 big = 0;
    Generated()
    {
        prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
        prog.start();
        big = generate(prog.st.edition.MessDataPath);
    }
    session::ArchiveRecorder& recorder() { return prog.session->archive(); }
    static Generated& instance()
    {
        static Generated g;
        return g;
    }
};

// The history window opens: the archive opened and every series listed, newest first.
void HistoryOpened(benchmark::State& state)
{
    Generated& g = Generated::instance();
    size_t listed = 0;
    for (auto _ : state) {
        archive::Archive a;
        a.open(g.prog.st.edition.MessDataPath, archive::Archive::Access::Read);
        listed = a.list({}).size();
    }
    if (listed != kSeries + 1)
        state.SkipWithError("not every series listed");
    state.counters["series"] = double(listed);
}
BENCHMARK(HistoryOpened)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly();

// A text typed into the filter: the series of one site among 10 000.
void TextFiltered(benchmark::State& state)
{
    Generated& g = Generated::instance();
    g.recorder().ensureOpen();
    size_t found = 0;
    for (auto _ : state)
        found = g.recorder().archive().list({QStringLiteral("halle 17"), {}, {}}).size();
    if (found == 0)
        state.SkipWithError("nothing found");
    state.counters["found"] = double(found);
}
BENCHMARK(TextFiltered)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)->ReportAggregatesOnly();

// A 5000-reading series opened into the table: read from the archive, rows, grid and statistics rebuilt.
void SeriesOpened5000(benchmark::State& state)
{
    Generated& g = Generated::instance();
    for (auto _ : state)
        g.recorder().openSeries(g.big);
    if (g.prog.table().Messdaten.rowCount(0) != 5000 && g.prog.table().Messdaten.rowCount(1) != 5000 &&
        g.prog.table().Messdaten.rowCount(2) != 5000)
        state.SkipWithError("the series is not in the table");
}
BENCHMARK(SeriesOpened5000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly();

// The archive's size per million readings (generated above).
void ArchiveSize(benchmark::State& state)
{
    Generated& g = Generated::instance();
    for (auto _ : state)
        benchmark::DoNotOptimize(g.big);
    const QString file = g.prog.st.edition.MessDataPath + QStringLiteral("/Archiv.sqlite");
    const double readings = double(kSeries) * kReadings + 5000;
    const double bytes = double(QFileInfo(file).size() + QFileInfo(file + QStringLiteral("-wal")).size());
    state.counters["MB_per_million_readings"] = bytes / 1e6 * 1e6 / readings;
}
BENCHMARK(ArchiveSize)->Iterations(1);

// One "E" value with 4999 rows in the table, as bench_online measures it (row, statistics, display, Online.mes
// synced); argument 1 with the value committed to the archive, 0 without.
void OnlineValueWithArchive(benchmark::State& state)
{
    Program prog(QStringLiteral("RD"));
    prog.session->archive().setEnabled(state.range(0) == 1);
    prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    prog.line().answers[QStringLiteral("$kova00$")] = QStringLiteral("FN-B SN 1\r\nM1:0\r\nM2:0\r\n") + QChar(4);
    prog.start();
    prog.main().setText(ctl::frmTransfer::ComboPort, QStringLiteral("COM3"));
    prog.link().cmdConnect_Click();
    prog.session->online().optOnline_Click();
    const auto value = [&](int i) {
        prog.line().push(QString::number(i % 10000).rightJustified(4) + QStringLiteral("  ") +
                         QString::number(70.0 + (i * 37 % 600) / 10.0, 'f', 1).rightJustified(10) +
                         QStringLiteral(" ym    Fe\r\n"));
        QCoreApplication::processEvents();
    };
    for (int i = 1; i < 5000; ++i)
        value(i);
    table::TableSession& table = prog.table();
    for (auto _ : state) {
        state.PauseTiming();
        table.Messdaten.at(2, 5000) = {};
        table.onlineNr = 5000;
        state.ResumeTiming();
        value(5000);
    }
    const qint64 run = prog.session->archive().current(2);
    if (table.Messdaten.rowCount(2) != 5000 || (state.range(0) == 1 && run == 0))
        state.SkipWithError("the value was not kept");
}
BENCHMARK(OnlineValueWithArchive)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
