#pragma once

#include <QString>

namespace table {

// Decimals shown for a unit: "mVs" 3; "Oe", "G...", "µm", "A/cm" 1; anything else 2.
int decimalsForUnit(const QString& einheit);

// value with exactly `decimals` decimals, halves away from zero, the user's decimal separator, no grouping, "-" as
// the minus sign whatever the locale says.
QString formatFixed(double value, int decimals);

// The value formatFixed shows, as a number: what a file that holds the text gives back.
double shownValue(double value, int decimals);

// The shortest text that reads back as the same value (exponent form for tiny and huge ones), the user's decimal
// separator, "-".
QString formatExact(double value);

// The value text of the table: formatted for the unit and right-aligned in 11 characters
// (a longer text is returned whole).
QString WertFormatieren(double wert, const QString& einheit);

// Digits after the decimal separator of vNumber, rounded to three decimals, as a whole number (12.25 -> 25).
int GetDecimalsInt(double vNumber);

} // namespace table
