#include "Rule8020.h"

#include <QString>

namespace table {

double minimum8020(double esoll)
{
    // 1.1 * 80 / 100 is 0.8800000000000001 in binary; the dialog shows and Limit.ini keeps 0.88.
    return QString::number(esoll * 80 / 100, 'g', 15).toDouble();
}

} // namespace table
