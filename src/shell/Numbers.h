#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace shell::Numbers {

// The user's number format (the system locale, or QLocale's default when set) without group separators.
QLocale userLocale();

// The user's short date with a four-digit year, as desktop systems show it (Qt's short form has two).
QString shortDate(const QDate& date);

// The decimal value the user sees: the binary value cut to 15 significant digits (1.1 * 80 / 100 is 0.88, and
// 1.005 counts as a half when rounded).
double decimal15(double value);

// Shortest form with up to 15 significant digits and the user's decimal separator; "-" as the minus sign.
QString formatGeneral(double value);

// Reads a number in the user's format; "." is accepted as well, so settings written before a
// locale change still load. Blanks around the number are ignored; an empty text is not a number.
bool parseNumber(const QString& text, double& value);

// Whether a text names a number that is none: "NaN", "inf", "Infinity", "∞" (also as the UTF-8 bytes of a
// Windows-1252 file), blanks and a sign before it allowed. Such a text is never a measured value.
bool namesNonFinite(QStringView text);

// "0" false, any other number true, "True"/"False" (any case); anything else fails.
bool parseTruth(const QString& text, bool& value);

// Trims blanks only (tabs and other characters stay), as settings lines are trimmed.
QString trimBlanks(const QString& text);

// Leading decimal digits as a number; none gives 0.
long long leadingDigits(const QString& text);

// Pads or cuts to a fixed width (capability fields, list entries).
QString fixedWidth(const QString& text, int width);

} // namespace shell::Numbers
