// A .mes file of 5000 rows: building the report and writing it through a save file, and loading it
// back (reading, parsing the fixed columns, clearing the table and rebuilding grid and statistics); the same
// report put on the clipboard.
#include "RecordingDesktop.h"
#include "Sandbox.h"
#include "TakeValue.h"
#include "export/ExportSession.h"
#include "shell/AppState.h"
#include "table/TableSession.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 5000;

struct Fixture {
    testsupport::Sandbox sb;
    shell::AppState st;
    table::TableSession table{st};
    reports::ExportSession exp{st, &table};
    QString path;

    Fixture()
    {
        st.edition.programTitle = QStringLiteral("BENCH V3.1");
        st.texte.LoadMessageTable(st.edition.programTitle);
        st.texte.LoadCaptionTable();
        st.device.geraet = QStringLiteral("FN5");
        st.device.memoryMode = QStringLiteral("2N");
        st.edition.materialMode = QStringLiteral("1");
        st.heuteDatum = QStringLiteral("01.02.2024");
        st.edition.AppDataPath = sb.data() + QStringLiteral("/app");
        st.edition.MessDataPath = sb.data() + QStringLiteral("/mess");
        QDir().mkpath(st.edition.AppDataPath);
        QDir().mkpath(st.edition.MessDataPath);
        st.limits.Emin = 80;
        st.limits.Emax = 120;
        st.limits.Esoll = 100;
        st.limits.EminStr = QStringLiteral("80");
        st.limits.EmaxStr = QStringLiteral("120");
        st.limits.EsollStr = QStringLiteral("100");
        table.jetztZeit = QStringLiteral("10:00:00");
        table.TabelleFormatieren();
        for (int i = 1; i <= kRows; ++i)
            testsupport::take(
                st, table,
                {.wert = 70.0 + (i * 37 % 600) / 10.0, .nr = i, .einheit = i % 3 ? "µm  " : "mVs ", .material = "NFe"});
        path = exp.mesFolder() + QStringLiteral("/bench.mes");
    }
};

void BM_Save5000(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.exp.saveTo(f.path));
}
BENCHMARK(BM_Save5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Load5000(benchmark::State& state)
{
    Fixture f;
    f.exp.saveTo(f.path);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.exp.loadFrom(f.path));
    if (f.table.Messdaten.rowCount(0) != kRows)
        state.SkipWithError("rows lost");
}
BENCHMARK(BM_Load5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ClipboardText5000(benchmark::State& state)
{
    Fixture f;
    testsupport::RecordingDesktop desktop;
    f.st.desktop = &desktop;
    for (auto _ : state)
        f.exp.cmdClipboard_Click();
    if (!desktop.clipboard.endsWith(QStringLiteral(" NFe\r\n")))
        state.SkipWithError("report incomplete");
}
BENCHMARK(BM_ClipboardText5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
