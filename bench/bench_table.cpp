// The measurement table at its limit: 5000 rows appended one by one (colouring, statistics and the
// lstStat rewrite after each), and a rebuild of 5000 stored rows; under the 80/20 rule (argument 0), 90/10 (1)
// and SSPC-PA 2 (2), the last two worked out over all rows whenever the list is written.
#include "TakeValue.h"
#include "shell/AppState.h"
#include "table/TableSession.h"

#include <QLocale>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 5000;

struct Fixture {
    shell::AppState st;
    table::TableSession table{st};

    explicit Fixture(int rule)
    {
        st.rule.kind = static_cast<shell::RuleKind>(rule);
        st.edition.programTitle = QStringLiteral("BENCH V3.1");
        st.texte.LoadMessageTable(st.edition.programTitle);
        st.device.geraet = QStringLiteral("FN5");
        st.device.memoryMode = QStringLiteral("2N");
        st.heuteDatum = QStringLiteral("01.02.2024");
        st.limits.Emin = 80;
        st.limits.Emax = 120;
        st.limits.Esoll = 100;
        st.limits.E8020 = true;
        table.jetztZeit = QStringLiteral("10:00:00");
    }

    void appendAll()
    {
        for (int i = 1; i <= kRows; ++i)
            testsupport::take(st, table, {.wert = 70.0 + (i * 37 % 600) / 10.0, .nr = i});
    }
};

void BM_Append5000(benchmark::State& state)
{
    Fixture f(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        f.table.StatistikZuruecksetzen();
        f.table.MessdatenLoeschen();
        f.table.grid().setRows(1);
        state.ResumeTiming();
        f.appendAll();
        benchmark::DoNotOptimize(f.table.statistik().anz_mean);
    }
    if (f.table.statistik().statZaehler != kRows || f.table.grid().Rows() != kRows + 1)
        state.SkipWithError("not all rows appended");
}
BENCHMARK(BM_Append5000)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Rebuild5000(benchmark::State& state)
{
    Fixture f(int(state.range(0)));
    f.appendAll();
    for (auto _ : state) {
        f.table.StatistikZuruecksetzen();
        f.table.TabelleAufbauen();
        benchmark::DoNotOptimize(f.table.statistik().anz_mean);
    }
    if (f.table.aktZeile != kRows)
        state.SkipWithError("rebuild lost rows");
}
BENCHMARK(BM_Rebuild5000)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
