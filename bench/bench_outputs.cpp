// The three outputs of a 5000-row table: the printout (to PDF), the word-processor document and the workbook
// with its chart.
#include "export/OdtDocument.h"
#include "export/ReportPrinter.h"
#include "export/SpreadsheetExport.h"

#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 5000;

QString report()
{
    QString r = QStringLiteral("FE-Speicher\r\n\r\nStatistik:\r\n\r\nAnzahl              5000\r\n\r\n\r\n"
                               "01.02.2024       Nr.      Messwert\r\n\r\n");
    for (int i = 1; i <= kRows; ++i)
        r += QStringLiteral("10:00:00      %1 %2 µm    Fe\r\n").arg(i, 5).arg(100 + i % 600 / 10.0, 11, 'f', 1);
    return r;
}

reports::SpreadsheetInput workbook()
{
    reports::SpreadsheetInput in;
    in.headingReport = QStringLiteral("FE-Speicher\r\n\r\nStatistik:\r\n\r\n");
    in.statZaehler = in.aktZeile = kRows;
    in.min = 100, in.max = 159.9, in.mean = 130, in.stdabw = 17.3;
    in.statEinheit = QStringLiteral("µm  ");
    in.firstStatLine = QStringLiteral("FE-Speicher");
    in.Emin = 110, in.Emax = 150, in.Esoll = 130;
    in.headings = {QStringLiteral("01.02.2024"), QStringLiteral("Nr."), QStringLiteral("Messwert"),
                   QStringLiteral("Einheit")};
    in.materialMode = QStringLiteral("1");
    for (int i = 1; i <= kRows; ++i)
        in.rows.push_back(
            {QStringLiteral("10:00:00"), i, 100 + i % 600 / 10.0, QStringLiteral("µm  "), QStringLiteral(" Fe")});
    in.sheetName = QStringLiteral("Messwerte");
    in.countLabel = QStringLiteral("Anzahl");
    in.minLabel = QStringLiteral("Minimum");
    in.maxLabel = QStringLiteral("Maximum");
    in.meanLabel = QStringLiteral("Mittelwert");
    in.devLabel = QStringLiteral("Std.Abweichung");
    in.rule8020Label = QStringLiteral("80/20 Regel ok:");
    in.targetLabel = QStringLiteral("Sollwert    ");
    in.withChart = true;
    return in;
}

void BM_Pdf5000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString text = report();
    for (auto _ : state) {
        QPdfWriter pdf(dir.filePath(QStringLiteral("r.pdf")));
        if (!reports::ReportPrinter::print(text, pdf).ok)
            state.SkipWithError("not printed");
    }
}
BENCHMARK(BM_Pdf5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Odt5000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString text = report();
    for (auto _ : state)
        if (!reports::OdtDocument::write(text, dir.filePath(QStringLiteral("r.odt"))).ok)
            state.SkipWithError("not written");
}
BENCHMARK(BM_Odt5000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Xlsx5000WithChart(benchmark::State& state)
{
    QTemporaryDir dir;
    const reports::SpreadsheetInput in = workbook();
    for (auto _ : state)
        if (!reports::SpreadsheetExport::write(in, dir.filePath(QStringLiteral("r.xlsx"))).ok)
            state.SkipWithError("not written");
}
BENCHMARK(BM_Xlsx5000WithChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
