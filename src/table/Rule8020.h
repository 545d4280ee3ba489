#pragma once

namespace table {

// 80 % of the target as the user reads it (15 significant digits): the minimum limit the 80/20 rule sets and the
// start of the orange band are this one value, so a value of exactly 80 % (0.88 for 1.1) is in the band.
double minimum8020(double esoll);

} // namespace table
