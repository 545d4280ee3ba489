// The inspection report of a table as the command writes it (content, charts, every reading, PDF saved): 5000
// readings under the 80/20 rule and 25 readings with limits. Counters: the pages of the PDF.
#include "Sandbox.h"
#include "TakeValue.h"
#include "export/ExportSession.h"
#include "shell/AppState.h"
#include "table/TableSession.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    testsupport::Sandbox sb;
    shell::AppState st;
    table::TableSession table{st};
    reports::ExportSession exp{st, &table};

    explicit Fixture(int rows)
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
        st.limits = {80, 150, 100, rows > 25};
        table.jetztZeit = QStringLiteral("10:00:00");
        table.TabelleFormatieren();
        for (int i = 1; i <= rows; ++i)
            testsupport::take(st, table, {.wert = 91.4 + (i * 7919 % 487) / 10.0, .nr = i, .material = "NFe"});
    }
};

void BM_Report(benchmark::State& state)
{
    Fixture f(int(state.range(0)));
    const QString path = f.sb.root() + QStringLiteral("/report.pdf");
    int pages = 0;
    for (auto _ : state)
        if (!f.exp.writeInspectionReport(path, &pages).ok)
            state.SkipWithError("not written");
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Report)->Arg(5000)->Arg(25)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
