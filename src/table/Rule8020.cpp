#include "Rule8020.h"

#include "shell/Numbers.h"

namespace table {

double minimum8020(double esoll)
{
    // 1.1 * 80 / 100 is 0.8800000000000001 in binary; the dialog shows and Limit.ini keeps 0.88.
    return shell::Numbers::decimal15(esoll * 80 / 100);
}

} // namespace table
