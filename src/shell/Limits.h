#pragma once

#include <QString>

namespace shell {

// Limits and the 80/20 switch as the user set them (Limit.ini and the limits dialog). 0 means not set.
struct Limits {
    double Emin = 0;
    double Emax = 0;
    double Esoll = 0;
    bool E8020 = false;
    QString EminStr;
    QString EmaxStr;
    QString EsollStr;

    bool limitsSet() const { return Emin != 0 || Emax != 0; }
};

} // namespace shell
