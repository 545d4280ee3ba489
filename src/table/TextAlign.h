#pragma once

#include <QString>

namespace table {

// sText padded on the left with blanks to maxLaenge characters; a longer text is returned whole.
QString Ausrichten(int maxLaenge, const QString& sText);

} // namespace table
