#include "ExportSession.h"

#include "ExportTexte.h"
#include "OutputFiles.h"
#include "ReportBuilder.h"
#include "TableHold.h"
#include "chart/ChartBuilder.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/DeviceInfo.h"
#include "shell/MemoryNames.h"
#include "shell/Numbers.h"
#include "shell/Settings.h"
#include "table/ChartToggle.h"
#include "table/InspectionRules.h"
#include "table/TableSession.h"
#include "table/ValueFormat.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <utility>

namespace Main = ctl::frmTransfer;
namespace Projekt = ctl::frmProjekt;
namespace Info = ctl::frmInfo;

namespace reports {

namespace {

// German reports write the date as the table does; English ones as the desktop's English locale does, or with the
// month's name where the desktop speaks another language (no 07/12 that reads two ways).
QString reportDate(const shell::AppState& st, const QDate& date)
{
    if (!st.english())
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    const QLocale desktop = shell::Numbers::userLocale();
    return desktop.language() == QLocale::English
               ? shell::Numbers::shortDate(date)
               : QLocale(QLocale::English).toString(date, QStringLiteral("d MMM yyyy"));
}

using R = ExportTexte::Bericht;
using Report = InspectionReport;

const QString kDash = QStringLiteral("–");

QString orDash(const QString& text)
{
    return text.trimmed().isEmpty() ? kDash : text.trimmed();
}

// The table's name: the file it came from, as its option shows it without the count, else the memory's name.
QString tableName(shell::AppState& st, int view)
{
    if (view < 0 || view > 2)
        return {};
    const QString* options[] = {&Main::optFE, &Main::optNFE, &Main::optOnline};
    const QString caption = st.main().text(*options[view]);
    const qsizetype open = caption.lastIndexOf(QStringLiteral(" ("));
    if (caption.contains(QLatin1String(".mes")) && open > 0)
        return caption.left(open);
    return shell::memoryName(st, view);
}

// The day the readings were taken: a file's own date line (its first row keeps it), else the date over the grid.
QString measurementDate(table::TableSession& tab, int view)
{
    const QString kept = tab.Messdaten.at(view, 1).datum.left(10);
    if (QDate::fromString(kept, QStringLiteral("dd.MM.yyyy")).isValid())
        return kept;
    return tab.grid().text(0, 0).trimmed();
}

QString ruleName(shell::RuleKind kind)
{
    switch (kind) {
    case shell::RuleKind::Iso19840:
        return QStringLiteral("ISO 19840 (80/20)");
    case shell::RuleKind::ImoPspc:
        return QStringLiteral("IMO PSPC (90/10)");
    case shell::RuleKind::SspcPa2:
        break;
    }
    return QStringLiteral("SSPC-PA 2");
}

QString numbers(const std::vector<int>& list)
{
    QStringList parts;
    for (size_t i = 0; i < list.size() && i < 20; ++i)
        parts << QString::number(list[i]);
    if (list.size() > 20)
        parts << QStringLiteral("…");
    return parts.join(QStringLiteral(", "));
}

// The report's texts in the program's language.
struct Texts {
    int sp;
    QString operator()(R e) const { return ExportTexte::bericht(sp, e); }
};

// The shown view of the table the report tells about.
struct Source {
    shell::AppState& st;
    table::TableSession& tab;
    int view;
    int n; // its rows
    Texts t;

    const table::Statistik& s() const { return tab.statistik(); }
    // Read through the const store: its writing access counts the row as written.
    const table::MessRow& row(int r) const { return std::as_const(tab).Messdaten.at(view, r); }
    // The statistics' unit, with the space that sets it after a figure.
    QString unit() const { return QLatin1Char(' ') + s().statEinheit.trimmed(); }
};

// What every page and the head show: the program, the title, the page count's wording, when it was made.
void pageFrame(Report::Content& c, shell::AppState& st, const Texts& t)
{
    shell::FormState& main = st.main();
    if (main.isVisible(Main::picKova))
        c.logoPath = main.control(Main::picKova).picture;
    c.edition = st.edition.programTitle;
    c.title = t(R::Title);
    c.footer = st.edition.programTitle;
    c.pageText = t(R::Page);
    c.measuredLabel = t(R::Measured);
    c.createdLabel = t(R::Created);
    const QDateTime now = QDateTime::currentDateTime();
    c.created = reportDate(st, now.date()) + QLatin1Char(' ') + now.toString(QStringLiteral("HH:mm"));
}

// Project data: the six labels with their texts, then the date and time.
void projectData(Report::Content& c, shell::AppState& st)
{
    c.projectHeading = st.msg(shell::Msg::ProjectData);
    shell::FormState& p = st.forms[Projekt::form];
    for (int n = 1; n <= 6; ++n)
        if (!p.text(Projekt::lblFelder(n)).trimmed().isEmpty())
            c.project.append({p.text(Projekt::lblFelder(n)).trimmed(), orDash(p.text(Projekt::txtFelder(n)))});
    const QDate pd = QDate::fromString(p.text(Projekt::DTPDate), QStringLiteral("dd.MM.yyyy"));
    if (pd.isValid())
        c.project.append(
            {st.msg(shell::Msg::DateTime), reportDate(st, pd) + QLatin1Char(' ') + p.text(Projekt::DTPTime).left(5)});
}

// The gauge, where the identification told it.
void gauge(Report::Content& c, shell::AppState& st, const Texts& t)
{
    c.gaugeHeading = t(R::Gauge);
    shell::fillDeviceInfo(st);
    const shell::DeviceIdentity& d = st.device;
    c.gauge.append({t(R::Model), orDash(st.forms[Info::form].text(Info::txtGeraet))});
    const bool identified = !d.geraetesoftware.trimmed().isEmpty();
    if (identified && !st.link.portNumber.trimmed().isEmpty())
        c.gauge.append({t(R::SerialLine), QStringLiteral("COM") + st.link.portNumber.trimmed()});
    if (identified)
        c.gauge.append({t(R::Firmware), d.geraetesoftware.trimmed()});
    const QString probe = (d.sondentyp.trimmed() + QLatin1Char(' ') + d.sondenversion.trimmed()).trimmed();
    if (!probe.isEmpty())
        c.gauge.append({t(R::Probe), probe});
    if (!d.macadr.trimmed().isEmpty())
        c.gauge.append({t(R::Mac), d.macadr.trimmed()});
}

// The day, the first reading's time and, where it differs, the last one's; for a view with rows.
QString measuredTimes(const Source& src)
{
    const table::MessRow& first = src.row(1);
    const table::MessRow& last = src.row(src.n);
    const QString datum = measurementDate(src.tab, src.view);
    const QDate md = QDate::fromString(datum, QStringLiteral("dd.MM.yyyy"));
    QString measured = (md.isValid() ? reportDate(src.st, md) : datum) + QLatin1Char(' ') + first.zeit.trimmed();
    if (last.zeit.trimmed() != first.zeit.trimmed())
        measured += QStringLiteral(" – ") + last.zeit.trimmed();
    return measured;
}

// The evaluation: the rule, its settings, limits and target, the rule's figures.
void criteria(Report::Content& c, const Source& src)
{
    const Texts& t = src.t;
    const shell::Limits& lim = src.st.limits;
    const shell::InspectionRule& rule = src.st.rule;
    const QString unit = src.unit();
    const auto value = [&](double v) { return v == 0 ? kDash : shell::Numbers::formatGeneral(v) + unit; };
    c.evaluationHeading = t(R::Evaluation);
    c.criteria.append({t(R::Rule), lim.E8020 ? ruleName(rule.kind) : lim.limitsSet() ? t(R::NoRule) : kDash});
    if (lim.E8020 && rule.kind == shell::RuleKind::Iso19840 && rule.inspectionArea > 0)
        c.criteria.append({t(R::InspectionArea), shell::Numbers::formatGeneral(rule.inspectionArea)});
    if (lim.E8020 && rule.kind == shell::RuleKind::SspcPa2)
        c.criteria.append({t(R::SpotSize), QStringLiteral("%1 / %2").arg(rule.spotSize).arg(rule.spotsPerArea)});
    c.criteria.append({QStringLiteral("Min Limit"), value(lim.Emin)});
    c.criteria.append({QStringLiteral("Max Limit"), value(lim.Emax)});
    c.criteria.append({t(R::Target), value(lim.Esoll)});
    for (const table::RuleLine& line : src.s().regelZeilen) {
        QString label = line.label.trimmed();
        if (label.endsWith(QLatin1Char(':')))
            label.chop(1);
        c.criteria.append({label, (line.verdict.trimmed() + QLatin1Char(' ') + line.figure).trimmed()});
    }
}

// The figures of the statistics list.
void figures(Report::Content& c, const Source& src)
{
    shell::AppState& st = src.st;
    const table::Statistik& s = src.s();
    const int n = src.n;
    const QString unit = src.unit();
    if (n == 0 || s.einheitenGemischt)
        return;
    c.figures.append({st.stat(shell::Stat::Count), QString::number(n)});
    c.figures.append({st.stat(shell::Stat::Minimum), s.anz_min.trimmed() + unit});
    c.figures.append({st.stat(shell::Stat::Maximum), s.anz_max.trimmed() + unit});
    c.figures.append({st.stat(shell::Stat::Mean), s.anz_mean.trimmed() + unit});
    if (n > 1) {
        c.figures.append({st.stat(shell::Stat::Deviation), s.anz_dev.trimmed() + unit});
        const double mean = st.absolut ? s.meanabs : s.mean;
        const double sd = st.absolut ? s.stdabwAbs : s.stdabw;
        if (mean != 0)
            c.figures.append({src.t(R::Cv), shell::Numbers::userLocale().toString(sd / std::fabs(mean) * 100, 'f', 1) +
                                                QStringLiteral(" %")});
    }
}

// Why ISO 19840 fails the readings, and a warning when the area wants more of them.
void iso19840Reasons(Report::Content& c, const Source& src)
{
    const Texts& t = src.t;
    shell::AppState& st = src.st;
    const shell::Limits& lim = st.limits;
    const table::Statistik& s = src.s();
    if (s.Fehler8020) {
        std::vector<double> judged; // the readings as the rule judges them
        judged.reserve(size_t(src.n));
        for (int r = 1; r <= src.n; ++r)
            judged.push_back(table::ruleValue(st, src.row(r).wert) -
                             table::roughnessCorrection(st, src.row(r).einheit));
        const auto countIf = [&](auto pred) { return int(std::count_if(judged.cbegin(), judged.cend(), pred)); };
        if (const int k = countIf([&](double v) { return lim.Emin >= 0 && v < lim.Emin; }))
            c.reasons << t(R::BelowMin).arg(k).arg(shell::Numbers::formatGeneral(lim.Emin));
        if (const int k = countIf([&](double v) { return lim.Emax >= 0 && v > lim.Emax; }))
            c.reasons << t(R::AboveMax).arg(k).arg(shell::Numbers::formatGeneral(lim.Emax));
    }
    if (s.FehlerMittel8020)
        c.reasons << t(R::MeanBelowTarget)
                         .arg(table::WertFormatieren(s.mean - table::roughnessCorrection(st, s.statEinheit),
                                                     s.statEinheit)
                                  .trimmed(),
                              shell::Numbers::formatGeneral(lim.Esoll));
    if (s.FehlerProzent8020)
        c.reasons << t(R::Band8020).arg(std::nearbyint(s.Prozent8020));
    if (const int minimum = table::minimumReadings(st.rule.inspectionArea); minimum > src.n)
        c.notes << t(R::MinimumCount).arg(minimum).arg(src.n);
}

// Why IMO PSPC (90/10) fails the readings.
void pspcReasons(Report::Content& c, const Source& src)
{
    const table::Verdict9010& v = src.s().regel9010;
    if (v.below)
        c.reasons << src.t(R::Below9010).arg(v.below);
    if (v.above)
        c.reasons << src.t(R::AboveMax).arg(v.above).arg(shell::Numbers::formatGeneral(src.st.limits.Emax));
    if (v.band * 10 > v.n)
        c.reasons << src.t(R::Band9010).arg(std::nearbyint(v.bandPercent()));
}

// The SSPC-PA 2 spots and areas outside the limits.
void pa2Reasons(Report::Content& c, const Source& src)
{
    const table::VerdictPa2& v = src.s().regelPa2;
    if (!v.spotsOutside.empty())
        c.reasons << src.t(R::SpotsOutside).arg(numbers(v.spotsOutside));
    if (!v.areasOutside.empty())
        c.reasons << src.t(R::AreasOutside).arg(numbers(v.areasOutside));
}

// Limits without a rule: every reading within them, as the table colours them.
void limitsVerdict(Report::Content& c, const Source& src)
{
    const shell::Limits& lim = src.st.limits;
    const auto shown = [&](double w) { return src.st.absolut ? std::fabs(w) : w; };
    int below = 0;
    int above = 0;
    for (int r = 1; r <= src.n; ++r) {
        const double v = shown(src.row(r).wert);
        below += v < lim.Emin;
        above += v != 0 && v > lim.Emax;
    }
    c.verdict = below + above == 0 ? Report::Verdict::Pass : Report::Verdict::Fail;
    if (below)
        c.reasons << src.t(R::BelowMin).arg(below).arg(shell::Numbers::formatGeneral(lim.Emin));
    if (above)
        c.reasons << src.t(R::AboveMax).arg(above).arg(shell::Numbers::formatGeneral(lim.Emax));
}

// The verdict and why: the rule's own word where a rule judges, else the limits'.
void verdict(Report::Content& c, const Source& src)
{
    const Texts& t = src.t;
    shell::AppState& st = src.st;
    const table::Statistik& s = src.s();
    if (src.n == 0 || s.einheitenGemischt) {
        c.verdict = Report::Verdict::None;
        if (src.n > 0)
            c.reasons << t(R::MixedUnits);
    } else if (st.limits.E8020 && !s.regelZeilen.empty()) {
        const QString word = s.regelZeilen.front().verdict.trimmed();
        c.verdict = word == st.msg(shell::Msg::Yes).trimmed()  ? Report::Verdict::Pass
                    : word == st.msg(shell::Msg::No).trimmed() ? Report::Verdict::Fail
                                                               : Report::Verdict::Open;
        if (st.rule.kind == shell::RuleKind::Iso19840)
            iso19840Reasons(c, src);
        else if (st.rule.kind == shell::RuleKind::ImoPspc)
            pspcReasons(c, src);
        else
            pa2Reasons(c, src);
    } else if (st.limits.limitsSet()) {
        limitsVerdict(c, src);
    } else {
        c.reasons << t(R::NoCriteria);
    }
    const R words[] = {R::NotEvaluated, R::Pass, R::Fail, R::Open};
    c.verdictText = t(words[int(c.verdict)]);
}

// The charts, from the chart description the program's charts are made of.
void charts(Report::Content& c, const Source& src)
{
    chart::ChartInput in = src.tab.chart().currentInput();
    if (chart::ChartBuilder::check(in) != chart::ChartBuilder::Status::Ok)
        return;
    const chart::ChartData data(in);
    c.charts = true;
    c.lineChartTitle = src.t(R::LineChart);
    c.lineChart = chart::ChartBuilder::reportLineChart(in, data, src.st.absolut ? src.s().meanabs : src.s().mean);
    c.histogramTitle = src.t(R::Histogram);
    c.histogram = chart::ChartBuilder::reportHistogram(in, data);
}

// Every reading, coloured as in the grid; SSPC-PA 2 gives each completed spot its mean.
void readings(Report::Content& c, const Source& src)
{
    const Texts& t = src.t;
    const shell::Limits& lim = src.st.limits;
    const shell::InspectionRule& rule = src.st.rule;
    c.readingsHeading = t(R::Readings) + QStringLiteral(" (%1)").arg(src.n);
    c.columns = {t(R::Nr), t(R::Time), t(R::Value), t(R::Unit), t(R::Material)};
    const int spot = lim.E8020 && rule.kind == shell::RuleKind::SspcPa2 ? std::max(1, rule.spotSize) : 0;
    c.spots = spot > 0;
    if (c.spots)
        c.columns << t(R::Spot);
    c.rows.reserve(src.n);
    double spotSum = 0;
    for (int r = 1; r <= src.n; ++r) {
        const table::MessRow& row = src.row(r);
        Report::Row out{QString::number(row.nr),
                        row.zeit.trimmed(),
                        ReportBuilder::valueText(row).trimmed(),
                        row.einheit.trimmed(),
                        row.material.trimmed(),
                        src.tab.ZelleFaerben(r),
                        {}};
        if (spot > 0) {
            spotSum += table::ruleValue(src.st, row.wert);
            if (r % spot == 0) {
                out.spotMean = QStringLiteral("%1: ").arg(r / spot) +
                               table::WertFormatieren(spotSum / spot, row.einheit).trimmed();
                spotSum = 0;
            }
        }
        c.rows.append(out);
    }
}

} // namespace

QString ExportSession::reportsFolder() const
{
    return m_st.edition.MessDataPath + QLatin1Char('/') + ExportTexte::bericht(m_st.sprache(), R::Folder);
}

QString ExportSession::reportFileName()
{
    shell::Settings::Voreinstellungen(m_st, QStringLiteral("PL"));
    const int view = m_st.view();
    QString name = ExportTexte::bericht(m_st.sprache(), R::FileStem) + QLatin1Char('_');
    if (m_table && view >= 0 && view < table::MessdatenStore::kViews)
        name += tableName(m_st, view) + QLatin1Char('_');
    const QString first = m_st.forms[Projekt::form].text(Projekt::txtFelder(1)).trimmed();
    if (!first.isEmpty())
        name += first + QLatin1Char('_');
    QDate date;
    if (m_table && view >= 0 && view < table::MessdatenStore::kViews)
        date = QDate::fromString(measurementDate(*m_table, view), QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        date = QDate::currentDate();
    name += date.toString(Qt::ISODate);
    return OutputFiles::safe(name.replace(QLatin1Char(' '), QLatin1Char('_'))) + QStringLiteral(".pdf");
}

void ExportSession::cmdBericht_Click()
{
    const TableHold hold(m_table);
    if (!m_st.dialogs || !m_table)
        return;
    const int sp = m_st.sprache();
    const QString folder = reportsFolder();
    QDir().mkpath(folder);
    const QString answer =
        m_st.dialogs->saveFile(ExportTexte::bericht(sp, R::FileStem), folder + QLatin1Char('/') + reportFileName(),
                               ExportTexte::bericht(sp, R::Filter));
    if (answer.trimmed().isEmpty())
        return;
    QString path = QDir(folder).absoluteFilePath(answer);
    if (!QFileInfo(path).fileName().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    shell::Commands::DisableCommands(m_st.main());
    const OutputResult written = writeInspectionReport(path);
    QString error;
    const bool opened = !written.ok || !m_st.desktop || m_st.desktop->openDocument(path, error);
    m_table->enableAvailableCommands();
    if (!written.ok)
        reportFailure(ExportTexte::saveFailed(sp, path, ExportTexte::reason(sp, written.error)));
    else if (!opened)
        reportOpenFailure(QStringLiteral("Open PDF:"), error);
}

OutputResult ExportSession::writeInspectionReport(const QString& path, int* pages)
{
    if (QFileInfo(path).isDir())
        return OutputResult::failure(QStringLiteral("Is a directory"));
    const Report::Content content = inspectionReport();
    // Laid out in memory first, so a failure leaves an existing file as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        const bool letter = shell::Numbers::userLocale().measurementSystem() == QLocale::ImperialUSSystem;
        writer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(14, 12, 14, 10), QPageLayout::Millimeter);
        writer.setTitle(content.title + QStringLiteral(" – ") + tableName(m_st, m_st.view()));
        writer.setCreator(m_st.edition.programTitle);
        const OutputResult printed = Report::print(content, writer, pages);
        if (!printed.ok)
            return printed;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(pdf.data()) != pdf.data().size() || !f.commit())
        return OutputResult::failure(f.errorString());
    return {};
}

Report::Content ExportSession::inspectionReport()
{
    const Texts t{m_st.sprache()};
    Report::Content c;
    shell::Settings::Voreinstellungen(m_st, QStringLiteral("PL"));
    pageFrame(c, m_st, t);
    projectData(c, m_st);
    gauge(c, m_st, t);
    const int view = m_st.view();
    if (!m_table || view < 0 || view >= table::MessdatenStore::kViews)
        return c;
    const Source src{m_st, *m_table, view, m_table->Messdaten.rowCount(view), t};
    c.gauge.append({t(R::Table), tableName(m_st, view)});
    if (src.n > 0)
        c.measured = measuredTimes(src);
    criteria(c, src);
    figures(c, src);
    verdict(c, src);
    charts(c, src);
    readings(c, src);
    return c;
}

} // namespace reports
