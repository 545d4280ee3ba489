#include "TableSession.h"

#include "TextAlign.h"
#include "ValueFormat.h"
#include "shell/AppState.h"

#include <cmath>

namespace table {

namespace {

// The statistics labels padded to 16 characters, per language.
const QString& label(const shell::AppState& st, int entry)
{
    static thread_local QString cache[2][15];
    QString& text = cache[st.english() ? 1 : 0][entry];
    if (text.isEmpty())
        text = st.texte.stat(entry).leftJustified(16, QLatin1Char(' '));
    return text;
}

} // namespace

void TableSession::StatistikZuruecksetzen()
{
    m_st.main().setItems(QStringLiteral("lstStat"), {});
    min = minabs = 999999;
    max = maxabs = -999999;
    mean = meanabs = 0;
    m_summe = m_summeAbs = m_summeQuadrate = 0;
    stdabw = stdabwAbs = 0;
    anz_dev = QStringLiteral(" ");
    aktZeile = 1;
    statEinheit.clear();
    einheitenGemischt = false;
    Anz8020 = 0;
    Fehler8020 = false;
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

void TableSession::berechnen(bool publish)
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    const bool signedEdition = st.signMode == QLatin1String("-");
    const int n = aktZeile;

    double v = letzterWert;
    if (!st.geraet.startsWith(QLatin1String("VX")))
        v = std::fabs(v);
    if (statEinheit.isEmpty())
        statEinheit = letzteEinheit;
    if (letzteEinheit != statEinheit)
        einheitenGemischt = true;

    m_summe += v;
    m_summeAbs += std::fabs(v);
    m_summeQuadrate += v * v;
    if (v < min)
        min = v;
    if (st.absolut && std::fabs(v) < minabs)
        minabs = std::fabs(v);
    if (v > max)
        max = v;
    if (st.absolut && std::fabs(v) > maxabs)
        maxabs = std::fabs(v);

    QStringList lines;
    if (publish || n < 1) {
        lines.reserve(12);
        lines << (st.messart == 2 ? QStringLiteral("ONLINE") : memoryName(st.messart)) << QStringLiteral(" ");
        lines << (signedEdition && st.absolut ? st.texte.stat(6) + st.texte.stat(11) : st.texte.stat(6));
        lines << QStringLiteral(" ");
    }
    if (n < 1) {
        f.setVisible(QStringLiteral("picLogo"), true);
        for (const char* name : {"lstStat", "MSChart1", "cmdChart", "cmdGross", "cmdAbs", "txtMittelwert"})
            f.setVisible(QString::fromLatin1(name), false);
        f.setItems(QStringLiteral("lstStat"), lines);
        return;
    }

    mean = m_summe / n;
    meanabs = m_summeAbs / n;
    if (n > 1) {
        double& sd = st.absolut ? stdabwAbs : stdabw;
        const double s = st.absolut ? m_summeAbs : m_summe;
        const double variance = (m_summeQuadrate - s * s / n) / (n - 1);
        sd = variance >= 0 ? std::sqrt(variance) : 0.0;
    }
    if (st.E8020)
        auswerten8020(v, n);
    if (!publish) {
        statZaehler = n;
        return;
    }

    anz_max = m_maxShown.format(st.absolut ? maxabs : max, statEinheit);
    anz_min = m_minShown.format(st.absolut ? minabs : min, statEinheit);
    anz_mean = WertFormatieren(st.absolut ? meanabs : mean, statEinheit);
    anz_dev = WertFormatieren(st.absolut ? stdabwAbs : stdabw, statEinheit);

    if (!einheitenGemischt) {
        const QString unit = QLatin1Char(' ') + statEinheit;
        lines << label(st, 1) + Ausrichten(8, QString::number(n));
        lines << label(st, 3) + Ausrichten(8, anz_min) + unit;
        lines << label(st, 2) + Ausrichten(8, anz_max) + unit;
        lines << label(st, 4) + Ausrichten(8, anz_mean) + unit;
        if (n > 1)
            lines << label(st, 5) + Ausrichten(8, anz_dev) + unit;
        if (st.E8020)
            lines << label(st, 14) + QString(6, QLatin1Char(' ')) + Text8020 + QLatin1Char(' ') +
                         QString::number(std::nearbyint(Prozent8020)) + QStringLiteral(" %");
    } else {
        lines << st.texte.stat(7) << st.texte.stat(8) << st.texte.stat(9);
    }
    f.setItems(QStringLiteral("lstStat"), lines);

    statZaehler = n;
    if (n > MessdatenStore::kRows)
        StatistikZuruecksetzen();

    f.setVisible(QStringLiteral("picLogo"), false);
    f.setVisible(QStringLiteral("lstStat"), true);
    f.setVisible(QStringLiteral("MSChart1"), false);
    f.setVisible(QStringLiteral("cmdChart"), true);
    f.setText(QStringLiteral("cmdChart"), QStringLiteral("Chart"));
    f.setVisible(QStringLiteral("cmdAbs"), signedEdition);
    f.setVisible(QStringLiteral("cmdGross"), false);
    f.setVisible(QStringLiteral("txtMittelwert"), false);
}

} // namespace table
