#include "ValueFormat.h"

#include "TextAlign.h"
#include "shell/Numbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace table {

namespace {

const double kPow10[] = {1, 10, 100, 1000, 10000};

// Leading number of a text with "." as the only decimal separator (blanks skipped, empty reads as 0).
double leadingNumberDot(const QString& text)
{
    QString s = text.trimmed();
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        ++i;
    bool dot = false;
    while (i < s.size() && (s[i].isDigit() || (!dot && s[i] == QLatin1Char('.')))) {
        if (s[i] == QLatin1Char('.'))
            dot = true;
        ++i;
    }
    bool ok = false;
    const double v = s.left(i).toDouble(&ok);
    return ok ? v : 0.0;
}

// The user's decimal separator, looked up again only when the locale changes. The minus sign is not taken from
// the locale: some give U+2212, which Windows-1252 files cannot hold.
struct Separators {
    QLocale locale = QLocale::c();
    QString point = QStringLiteral(".");
};

const Separators& separators()
{
    static thread_local Separators sep;
    const QLocale current;
    if (!(current == sep.locale)) {
        sep.locale = current;
        sep.point = current.decimalPoint();
    }
    return sep;
}

QString withUserPoint(QString text)
{
    const Separators& sep = separators();
    if (sep.point != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), sep.point);
    return text;
}

// value with exactly `decimals` decimals, "." and "-".
QString plainFixed(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 4);
    const double scale = kPow10[decimals];
    const double scaled = std::fabs(value * scale);
    // From twelve digits on, value * scale is no longer exact enough to tell a half (and may even overflow): the
    // binary value is rounded as it is, which gives a text that reads back to a value showing the same text.
    if (!std::isfinite(value) || !(scaled < 1e12))
        return QString::number(value, 'f', decimals);
    // Halves away from zero, judged on the value as it reads to 15 significant digits: 1.005 is a half
    // although its binary value lies just below.
    double units = std::floor(scaled);
    const double slack = scaled * 1e-14;
    if (scaled - units >= 0.5 - slack)
        units += 1;
    QString text = QString::number(units / scale, 'f', decimals);
    if (value < 0 && units != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace

int decimalsForUnit(const QString& einheit)
{
    if (einheit.startsWith(QLatin1String("mVs")))
        return 3;
    if (einheit.startsWith(QLatin1String("Oe")) || einheit.startsWith(QLatin1Char('G')) ||
        einheit.startsWith(QStringLiteral("µm")) || einheit.startsWith(QLatin1String("A/cm")))
        return 1;
    return 2;
}

QString formatFixed(double value, int decimals)
{
    return withUserPoint(plainFixed(value, decimals));
}

double shownValue(double value, int decimals)
{
    return plainFixed(value, decimals).toDouble();
}

QString formatExact(double value)
{
    return withUserPoint(QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest));
}

QString WertFormatieren(double wert, const QString& einheit)
{
    return Ausrichten(11, formatFixed(wert, decimalsForUnit(einheit)));
}

int GetDecimalsInt(double vNumber)
{
    const double f = vNumber - std::trunc(vNumber);
    const double r = std::nearbyint(shell::Numbers::decimal15(f * 1000)) / 1000; // halves to even
    const QString s = shell::Numbers::formatGeneral(r);
    return static_cast<int>(std::nearbyint(leadingNumberDot(s.mid(2))));
}

} // namespace table
