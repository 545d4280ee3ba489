#include "TableSession.h"

#include "TextAlign.h"
#include "ValueFormat.h"
#include "shell/AppState.h"

#include <cmath>

namespace table {

namespace {

// A figure as the list shows it: its 15-digit text read back, then formatted for the unit.
QString figure(double value, const QString& einheit)
{
    return WertFormatieren(QString::number(value, 'g', 15).toDouble(), einheit);
}

QString label(const QString& text)
{
    return text.leftJustified(16, QLatin1Char(' '));
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
}

void TableSession::StatistikBerechnen()
{
    shell::AppState& st = m_st;
    shell::FormState& f = st.main();
    const bool signedEdition = st.signMode == QLatin1String("-");
    const int n = aktZeile;

    QStringList lines;
    lines.reserve(12);
    lines << (st.messart == 2 ? QStringLiteral("ONLINE") : memoryName(st.messart)) << QStringLiteral(" ");
    lines << (signedEdition && st.absolut ? st.texte.stat(6) + st.texte.stat(11) : st.texte.stat(6));
    lines << QStringLiteral(" ");

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
    anz_max = figure(st.absolut ? maxabs : max, statEinheit);
    anz_min = figure(st.absolut ? minabs : min, statEinheit);
    anz_mean = figure(st.absolut ? meanabs : mean, statEinheit);
    anz_dev = figure(st.absolut ? stdabwAbs : stdabw, statEinheit);

    if (st.E8020)
        auswerten8020(v, n);

    if (!einheitenGemischt) {
        const QString unit = QLatin1Char(' ') + statEinheit;
        lines << label(st.texte.stat(1)) + Ausrichten(8, QString::number(n));
        lines << label(st.texte.stat(3)) + Ausrichten(8, anz_min) + unit;
        lines << label(st.texte.stat(2)) + Ausrichten(8, anz_max) + unit;
        lines << label(st.texte.stat(4)) + Ausrichten(8, anz_mean) + unit;
        if (n > 1)
            lines << label(st.texte.stat(5)) + Ausrichten(8, anz_dev) + unit;
        if (st.E8020)
            lines << label(st.texte.stat(14)) + QString(6, QLatin1Char(' ')) + Text8020 + QLatin1Char(' ') +
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
