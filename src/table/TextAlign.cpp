#include "TextAlign.h"

#include "shell/Numbers.h"

namespace table {

QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell, bool bKuerzen)
{
    if (sText.size() > maxLaenge)
        return bKuerzen ? sText.left(maxLaenge) : sText;
    const QChar fill = sFuell.isEmpty() ? QLatin1Char(' ') : sFuell.at(0);
    return sText.rightJustified(maxLaenge, fill);
}

QString AusrichtenL(int maxLaenge, const QString& sText)
{
    return shell::Numbers::fixedWidth(shell::Numbers::trimBlanks(sText), maxLaenge);
}

} // namespace table
