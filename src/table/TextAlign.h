#pragma once

#include <QString>

namespace table {

// sText padded on the left with sFuell to maxLaenge characters. A longer text is cut to its first
// maxLaenge characters when bKuerzen is set, otherwise returned whole.
QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell = QStringLiteral(" "),
                   bool bKuerzen = false);

// Blank-trimmed sText padded on the right with blanks and cut to exactly maxLaenge characters.
QString AusrichtenL(int maxLaenge, const QString& sText);

} // namespace table
