#include "TextAlign.h"

namespace table {

QString Ausrichten(int maxLaenge, const QString& sText)
{
    return sText.rightJustified(maxLaenge, QLatin1Char(' '));
}

} // namespace table
