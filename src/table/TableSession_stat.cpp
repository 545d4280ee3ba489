#include "TableSession.h"

#include "TextAlign.h"
#include "ValueFormat.h"
#include "shell/AppState.h"
#include "shell/MemoryNames.h"

#include <cmath>

namespace Main = ctl::frmTransfer;

namespace table {

namespace {

// The statistics labels padded to 16 characters, per language.
const QString& label(const shell::AppState& st, shell::Stat entry)
{
    static thread_local QString cache[2][15];
    QString& text = cache[st.english() ? 1 : 0][int(entry)];
    if (text.isEmpty())
        text = st.stat(entry).leftJustified(16, QLatin1Char(' '));
    return text;
}

} // namespace

void TableSession::StatistikZuruecksetzen()
{
    m_st.main().setItems(Main::lstStat, {});
    m_stat.min = m_stat.minabs = Statistik::kNoMin;
    m_stat.max = m_stat.maxabs = Statistik::kNoMax;
    m_stat.mean = m_stat.meanabs = 0;
    m_run.summe = m_run.summeAbs = m_run.summeQuadrate = 0;
    m_stat.stdabw = m_stat.stdabwAbs = 0;
    m_stat.anz_dev = QStringLiteral(" ");
    aktZeile = 1;
    m_stat.statEinheit.clear();
    m_stat.einheitenGemischt = false;
    m_stat.Anz8020 = 0;
    m_stat.Fehler8020 = false;
    m_stat.regel9010 = {};
    m_stat.regelPa2 = {};
    m_run.minShown = {};
    m_run.maxShown = {};
}

const QString& TableSession::ShownFigure::format(double v, const QString& unit)
{
    // Minimum and maximum rarely change from one row to the next: keep their last text.
    if (text.isEmpty() || v != value || unit != einheit) {
        value = v;
        einheit = unit;
        text = WertFormatieren(v, unit);
    }
    return text;
}

// The last value (as the statistics count it) added to the running sums, extremes and unit.
double TableSession::accumulate(StatRun& run) const
{
    const shell::AppState& st = m_st;
    Statistik& s = run.stat;
    double v = s.letzterWert;
    if (!st.device.geraet.startsWith(QLatin1String("VX")))
        v = std::fabs(v);
    if (s.statEinheit.isEmpty())
        s.statEinheit = s.letzteEinheit;
    if (s.letzteEinheit != s.statEinheit)
        s.einheitenGemischt = true;

    run.summe += v;
    run.summeAbs += std::fabs(v);
    run.summeQuadrate += v * v;
    if (v < s.min)
        s.min = v;
    if (st.absolut && std::fabs(v) < s.minabs)
        s.minabs = std::fabs(v);
    if (v > s.max)
        s.max = v;
    if (st.absolut && std::fabs(v) > s.maxabs)
        s.maxabs = std::fabs(v);

    return v;
}

QStringList TableSession::rechnen(StatRun& run, int n, int view, bool publish) const
{
    const shell::AppState& st = m_st;
    Statistik& s = run.stat;
    const bool signedEdition = st.edition.signMode == QLatin1String("-");
    const double v = accumulate(run);

    QStringList lines;
    if (publish || n < 1) {
        lines.reserve(12);
        lines << (view == 2 ? QStringLiteral("ONLINE") : shell::memoryName(st, view)) << QStringLiteral(" ");
        lines << (signedEdition && st.absolut
                      ? st.texte.stat(shell::Stat::Heading) + st.texte.stat(shell::Stat::WithAbsolute)
                      : st.texte.stat(shell::Stat::Heading));
        lines << QStringLiteral(" ");
    }
    if (n < 1)
        return lines;

    s.mean = run.summe / n;
    s.meanabs = run.summeAbs / n;
    if (n > 1) {
        double& sd = st.absolut ? s.stdabwAbs : s.stdabw;
        const double sum = st.absolut ? run.summeAbs : run.summe;
        const double variance = (run.summeQuadrate - sum * sum / n) / (n - 1);
        sd = variance >= 0 ? std::sqrt(variance) : 0.0;
    }
    if (st.limits.E8020) {
        switch (st.rule.kind) {
        case shell::RuleKind::Iso19840:
            auswerten8020(s, v, n);
            break;
        case shell::RuleKind::ImoPspc:
            s.regel9010.add(v, st.limits.Esoll, st.limits.Emax);
            break;
        case shell::RuleKind::SspcPa2:
            s.regelPa2.add(v, st.limits, st.rule);
            break;
        }
    }
    s.statZaehler = n;
    if (publish)
        publishFigures(run, n, lines);
    return lines;
}

// The shown figures and the list's lines below the heading.
void TableSession::publishFigures(StatRun& run, int n, QStringList& lines) const
{
    const shell::AppState& st = m_st;
    Statistik& s = run.stat;
    s.anz_max = run.maxShown.format(st.absolut ? s.maxabs : s.max, s.statEinheit);
    s.anz_min = run.minShown.format(st.absolut ? s.minabs : s.min, s.statEinheit);
    s.anz_mean = WertFormatieren(st.absolut ? s.meanabs : s.mean, s.statEinheit);
    s.anz_dev = WertFormatieren(st.absolut ? s.stdabwAbs : s.stdabw, s.statEinheit);

    if (!s.einheitenGemischt) {
        const QString unit = QLatin1Char(' ') + s.statEinheit;
        lines << label(st, shell::Stat::Count) + Ausrichten(8, QString::number(n));
        lines << label(st, shell::Stat::Minimum) + Ausrichten(8, s.anz_min) + unit;
        lines << label(st, shell::Stat::Maximum) + Ausrichten(8, s.anz_max) + unit;
        lines << label(st, shell::Stat::Mean) + Ausrichten(8, s.anz_mean) + unit;
        if (n > 1)
            lines << label(st, shell::Stat::Deviation) + Ausrichten(8, s.anz_dev) + unit;
        s.regelZeilen.clear();
        if (st.limits.E8020) {
            s.regelZeilen = ruleLines(st, s, n);
            for (const RuleLine& rule : s.regelZeilen)
                lines << rule.text();
        }
    } else {
        s.regelZeilen.clear();
        lines << st.texte.stat(shell::Stat::NotPossible) << st.texte.stat(shell::Stat::DifferentUnits)
              << st.texte.stat(shell::Stat::Units);
    }
}

void TableSession::berechnen(bool publish, bool keepChart)
{
    shell::FormState& f = m_st.main();
    const int n = aktZeile;
    const QStringList lines = rechnen(m_run, n, view(), publish);
    if (n < 1) {
        f.setVisible(Main::picLogo, true);
        for (const QString& name :
             {Main::lstStat, Main::MSChart1, Main::cmdChart, Main::cmdGross, Main::cmdAbs, Main::txtMittelwert})
            f.setVisible(name, false);
        f.setItems(Main::lstStat, lines);
        return;
    }
    if (!publish)
        return;
    f.setItems(Main::lstStat, lines);
    if (n > MessdatenStore::kRows)
        StatistikZuruecksetzen();

    f.setVisible(Main::picLogo, false);
    f.setVisible(Main::cmdChart, true);
    f.setVisible(Main::cmdAbs, m_st.edition.signMode == QLatin1String("-"));
    // Mixed units have no chart: the list with its notice comes back.
    if (keepChart && !m_stat.einheitenGemischt)
        return;
    f.setVisible(Main::lstStat, true);
    f.setVisible(Main::MSChart1, false);
    f.setText(Main::cmdChart, QStringLiteral("Chart"));
    f.setVisible(Main::cmdGross, false);
    f.setVisible(Main::txtMittelwert, false);
}

QStringList TableSession::statistikZeilen(int v) const
{
    const int n = Messdaten.rowCount(v);
    StatRun run;
    if (n == 0)
        return rechnen(run, 0, v, true);
    QStringList lines;
    for (int r = 1; r <= n; ++r) {
        run.stat.letzterWert = Messdaten.at(v, r).wert;
        run.stat.letzteEinheit = Messdaten.at(v, r).einheit;
        if (r == n)
            lines = rechnen(run, r, v, true);
        else
            rechnen(run, r, v, false);
    }
    return lines;
}

QString TableSession::statEinheitOf(int v) const
{
    return Messdaten.rowCount(v) > 0 ? Messdaten.at(v, 1).einheit : QString();
}

} // namespace table
