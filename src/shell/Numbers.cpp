#include "Numbers.h"

#include <cmath>

namespace shell::Numbers {

QLocale userLocale()
{
    // QLocale() is the system locale unless a test or front end set another default.
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return loc;
}

QString shortDate(const QDate& date)
{
    const QLocale loc = userLocale();
    QString format = loc.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return loc.toString(date, format);
}

double decimal15(double value)
{
    return QString::number(value, 'g', 15).toDouble();
}

QString formatGeneral(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    // Only the decimal separator is the user's: some locales give U+2212 as the minus sign or "×10^" as the
    // exponent, which Windows-1252 settings files cannot hold.
    QString s = QLocale::c().toString(value, 'g', 15);
    const QString point = userLocale().decimalPoint();
    if (point != QLatin1String("."))
        s.replace(QLatin1Char('.'), point);
    return s;
}

bool parseNumber(const QString& text, double& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    double v = userLocale().toDouble(t, &ok);
    if (!ok) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        v = c.toDouble(t, &ok);
    }
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool namesNonFinite(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    const QStringView rest = text.mid(i);
    return rest.startsWith(QLatin1String("nan"), Qt::CaseInsensitive) ||
           rest.startsWith(QLatin1String("inf"), Qt::CaseInsensitive) || rest.startsWith(QChar(0x221E)) ||
           rest.startsWith(QStringView(u"\u00E2\u02C6\u017E"));
}

bool parseTruth(const QString& text, bool& value)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    double d = 0;
    if (!parseNumber(t, d))
        return false;
    value = d != 0.0;
    return true;
}

QString trimBlanks(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && text.at(e - 1) == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

long long leadingDigits(const QString& text)
{
    long long v = 0;
    for (QChar ch : text) {
        if (!ch.isDigit() || ch.unicode() > '9')
            break;
        if (v > 1'000'000'000'000LL)
            break;
        v = v * 10 + (ch.unicode() - '0');
    }
    return v;
}

QString fixedWidth(const QString& text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

} // namespace shell::Numbers
