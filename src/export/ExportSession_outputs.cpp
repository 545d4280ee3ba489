#include "ExportSession.h"

#include "OdtDocument.h"
#include "OutputFiles.h"
#include "ReportPrinter.h"
#include "TableHold.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/MemoryNames.h"
#include "table/TableSession.h"

namespace Main = ctl::frmTransfer;

namespace reports {

namespace {

// The rule's verdict line beside the statistics (the figure too where the rule is not ISO 19840), its other lines
// as rows of their own.
void ruleLines(SpreadsheetInput& in, const table::Statistik& s, shell::RuleKind kind)
{
    if (s.regelZeilen.empty())
        return;
    const table::RuleLine& verdict = s.regelZeilen.front();
    in.rule8020Label = verdict.label;
    in.Text8020 = verdict.verdict;
    if (kind != shell::RuleKind::Iso19840)
        in.ruleFigure = verdict.figure;
    for (size_t i = 1; i < s.regelZeilen.size(); ++i) {
        const table::RuleLine& line = s.regelZeilen[i];
        in.ruleRows.emplace_back(line.label,
                                 line.verdict.isEmpty() ? line.figure : line.verdict + QLatin1Char(' ') + line.figure);
    }
}

} // namespace

void ExportSession::cmdClipboard_Click()
{
    const TableHold hold(m_table);
    shell::Desktop* desktop = m_st.desktop;
    if (desktop)
        desktop->clearClipboard();
    BuildReport(QStringLiteral("A"));
    if (desktop)
        desktop->setClipboardText(reportText);
}

void ExportSession::cmdprint_Click()
{
    const TableHold hold(m_table);
    if (!m_st.dialogs)
        return;
    QPagedPaintDevice* printer = m_st.dialogs->choosePrinter();
    if (!printer)
        return;
    // A printer that fails half-way is not reported: the user sees what came out.
    printTo(*printer);
}

void ExportSession::cmdWord_Click()
{
    const TableHold hold(m_table);
    shell::FormState& f = m_st.main();
    shell::Commands::DisableCommands(f);
    const QString failure =
        handOver(QStringLiteral("odt"), [this](const QString& path) { return writeDocument(path); });
    // Back to what the program may do now: without a gauge, the table's commands only.
    m_table->enableAvailableCommands();
    if (!failure.isEmpty())
        reportOpenFailure(QStringLiteral("Open Word:"), failure);
}

void ExportSession::cmdExcel_Click()
{
    const TableHold hold(m_table);
    shell::FormState& f = m_st.main();
    shell::Commands::DisableCommands(f);
    const bool withChart =
        statisticsPossible() && m_st.messageBox(m_st.msg(shell::Msg::ExcelWithChart), shell::Dialogs::Buttons::YesNo,
                                                shell::Dialogs::Icon::Question) == shell::Dialogs::Answer::Yes;
    const QString failure = handOver(QStringLiteral("xlsx"),
                                     [this, withChart](const QString& path) { return writeWorkbook(path, withChart); });
    m_table->enableAvailableCommands();
    if (!failure.isEmpty())
        reportOpenFailure(QStringLiteral("Open Excel:"), failure);
}

OutputResult ExportSession::printTo(QPagedPaintDevice& device)
{
    return ReportPrinter::print(BuildReport(QStringLiteral("A")), device);
}

OutputResult ExportSession::writeDocument(const QString& path)
{
    return OdtDocument::write(BuildReport(QStringLiteral("A")), path);
}

OutputResult ExportSession::writeWorkbook(const QString& path, bool withChart)
{
    return SpreadsheetExport::write(spreadsheetInput(withChart), path);
}

bool ExportSession::statisticsPossible() const
{
    return !m_table || !m_table->statistik().einheitenGemischt;
}

SpreadsheetInput ExportSession::spreadsheetInput(bool withChart)
{
    SpreadsheetInput in;
    in.headingReport = BuildReport(QStringLiteral("P"));
    in.withChart = withChart && statisticsPossible();
    in.statisticsPossible = statisticsPossible();
    in.absolut = m_st.absolut;
    in.Emin = m_st.limits.Emin;
    in.Emax = m_st.limits.Emax;
    in.Esoll = m_st.limits.Esoll;
    in.materialMode = m_st.edition.materialMode;
    in.firstStatLine = m_st.main().items(Main::lstStat).value(0);

    in.sheetName = m_st.msg(shell::Msg::Data);
    in.countLabel = m_st.stat(shell::Stat::Count);
    in.minLabel = m_st.stat(shell::Stat::Minimum);
    in.maxLabel = m_st.stat(shell::Stat::Maximum);
    in.meanLabel = m_st.stat(shell::Stat::Mean);
    in.devLabel = m_st.stat(shell::Stat::Deviation);
    in.rule8020Label = m_st.stat(shell::Stat::Rule8020);
    in.targetLabel = m_st.stat(shell::Stat::Target);
    in.mixedUnitLines = {m_st.stat(shell::Stat::NotPossible), m_st.stat(shell::Stat::DifferentUnits),
                         m_st.stat(shell::Stat::Units)};
    if (!m_table)
        return in;

    const table::TableSession& tab = *m_table;
    const table::Statistik& s = tab.statistik();
    const int view = m_st.view();
    const int n = view >= 0 && view < table::MessdatenStore::kViews ? tab.Messdaten.rowCount(view) : 0;
    in.aktZeile = tab.aktZeile;
    in.statEinheit = s.statEinheit;
    in.Text8020 = s.Text8020;
    ruleLines(in, s, m_st.rule.kind);
    // An empty view still holds the statistics' start values (min 999999 ...): it gets zeros instead.
    if (n > 0) {
        in.statZaehler = s.statZaehler;
        in.min = s.min;
        in.max = s.max;
        in.mean = s.mean;
        in.minabs = s.minabs;
        in.maxabs = s.maxabs;
        in.meanabs = s.meanabs;
        // The deviation the statistics list shows: with absolute values only the absolute one is kept up to date.
        in.stdabw = m_st.absolut ? s.stdabwAbs : s.stdabw;
    }
    for (int c = 0; c < 4; ++c)
        in.headings[static_cast<size_t>(c)] = m_table->grid().text(0, c);
    in.rows.reserve(static_cast<size_t>(n));
    for (int r = 1; r <= n; ++r) {
        const table::MessRow& row = tab.Messdaten.at(view, r);
        in.rows.push_back({row.zeit, row.nr, row.wert, row.einheit, row.material});
    }
    return in;
}

QString ExportSession::handOver(const QString& extension, const std::function<OutputResult(const QString&)>& write)
{
    QString error;
    const QString path =
        OutputFiles::newPath(documentsFolder(), shell::memoryName(m_st, m_st.view()), extension, &error);
    if (path.isEmpty())
        return error;
    const OutputResult written = write(path);
    if (!written.ok)
        return written.error;
    if (m_st.desktop && !m_st.desktop->openDocument(path, error))
        return error;
    return {};
}

void ExportSession::reportOpenFailure(const QString& prefix, const QString& description)
{
    m_st.messageBox(description);
    m_st.WriteLog(prefix + description);
}

} // namespace reports
