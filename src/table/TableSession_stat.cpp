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
    m_summe = m_summeAbs = m_summeQuadrate = 0;
    m_stat.stdabw = m_stat.stdabwAbs = 0;
    m_stat.anz_dev = QStringLiteral(" ");
    aktZeile = 1;
    m_stat.statEinheit.clear();
    m_stat.einheitenGemischt = false;
    m_stat.Anz8020 = 0;
    m_stat.Fehler8020 = false;
    m_minShown = {};
    m_maxShown = {};
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

void TableSession::berechnen(bool publish, bool keepChart)
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    const bool signedEdition = st.edition.signMode == QLatin1String("-");
    const int n = aktZeile;

    double v = m_stat.letzterWert;
    if (!st.device.geraet.startsWith(QLatin1String("VX")))
        v = std::fabs(v);
    if (m_stat.statEinheit.isEmpty())
        m_stat.statEinheit = m_stat.letzteEinheit;
    if (m_stat.letzteEinheit != m_stat.statEinheit)
        m_stat.einheitenGemischt = true;

    m_summe += v;
    m_summeAbs += std::fabs(v);
    m_summeQuadrate += v * v;
    if (v < m_stat.min)
        m_stat.min = v;
    if (st.absolut && std::fabs(v) < m_stat.minabs)
        m_stat.minabs = std::fabs(v);
    if (v > m_stat.max)
        m_stat.max = v;
    if (st.absolut && std::fabs(v) > m_stat.maxabs)
        m_stat.maxabs = std::fabs(v);

    QStringList lines;
    if (publish || n < 1) {
        lines.reserve(12);
        lines << (st.messart == shell::Messart::Online ? QStringLiteral("ONLINE") : shell::memoryName(st, st.view()))
              << QStringLiteral(" ");
        lines << (signedEdition && st.absolut
                      ? st.texte.stat(shell::Stat::Heading) + st.texte.stat(shell::Stat::WithAbsolute)
                      : st.texte.stat(shell::Stat::Heading));
        lines << QStringLiteral(" ");
    }
    if (n < 1) {
        f.setVisible(Main::picLogo, true);
        for (const QString& name :
             {Main::lstStat, Main::MSChart1, Main::cmdChart, Main::cmdGross, Main::cmdAbs, Main::txtMittelwert})
            f.setVisible(name, false);
        f.setItems(Main::lstStat, lines);
        return;
    }

    m_stat.mean = m_summe / n;
    m_stat.meanabs = m_summeAbs / n;
    if (n > 1) {
        double& sd = st.absolut ? m_stat.stdabwAbs : m_stat.stdabw;
        const double s = st.absolut ? m_summeAbs : m_summe;
        const double variance = (m_summeQuadrate - s * s / n) / (n - 1);
        sd = variance >= 0 ? std::sqrt(variance) : 0.0;
    }
    if (st.limits.E8020)
        auswerten8020(v, n);
    if (!publish) {
        m_stat.statZaehler = n;
        return;
    }

    m_stat.anz_max = m_maxShown.format(st.absolut ? m_stat.maxabs : m_stat.max, m_stat.statEinheit);
    m_stat.anz_min = m_minShown.format(st.absolut ? m_stat.minabs : m_stat.min, m_stat.statEinheit);
    m_stat.anz_mean = WertFormatieren(st.absolut ? m_stat.meanabs : m_stat.mean, m_stat.statEinheit);
    m_stat.anz_dev = WertFormatieren(st.absolut ? m_stat.stdabwAbs : m_stat.stdabw, m_stat.statEinheit);

    if (!m_stat.einheitenGemischt) {
        const QString unit = QLatin1Char(' ') + m_stat.statEinheit;
        lines << label(st, shell::Stat::Count) + Ausrichten(8, QString::number(n));
        lines << label(st, shell::Stat::Minimum) + Ausrichten(8, m_stat.anz_min) + unit;
        lines << label(st, shell::Stat::Maximum) + Ausrichten(8, m_stat.anz_max) + unit;
        lines << label(st, shell::Stat::Mean) + Ausrichten(8, m_stat.anz_mean) + unit;
        if (n > 1)
            lines << label(st, shell::Stat::Deviation) + Ausrichten(8, m_stat.anz_dev) + unit;
        if (st.limits.E8020)
            lines << label(st, shell::Stat::Rule8020) + QString(6, QLatin1Char(' ')) + m_stat.Text8020 +
                         QLatin1Char(' ') + QString::number(std::nearbyint(m_stat.Prozent8020)) + QStringLiteral(" %");
    } else {
        lines << st.texte.stat(shell::Stat::NotPossible) << st.texte.stat(shell::Stat::DifferentUnits)
              << st.texte.stat(shell::Stat::Units);
    }
    f.setItems(Main::lstStat, lines);

    m_stat.statZaehler = n;
    if (n > MessdatenStore::kRows)
        StatistikZuruecksetzen();

    f.setVisible(Main::picLogo, false);
    f.setVisible(Main::cmdChart, true);
    f.setVisible(Main::cmdAbs, signedEdition);
    // Mixed units have no chart: the list with its notice comes back.
    if (keepChart && !m_stat.einheitenGemischt)
        return;
    f.setVisible(Main::lstStat, true);
    f.setVisible(Main::MSChart1, false);
    f.setText(Main::cmdChart, QStringLiteral("Chart"));
    f.setVisible(Main::cmdGross, false);
    f.setVisible(Main::txtMittelwert, false);
}

} // namespace table
