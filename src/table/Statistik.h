#pragma once

#include "InspectionRules.h"

#include <QString>

#include <limits>

namespace table {

// The statistics of the shown view and the 80/20 verdict, as the last update left them. Written only by the
// table's statistics update; read by the reports, the spreadsheet and the charts.
struct Statistik {
    // Start values that every value replaces: a fixed start (such as ±999999) would clip larger values. Read only
    // with at least one value counted.
    static constexpr double kNoMin = std::numeric_limits<double>::infinity();
    static constexpr double kNoMax = -std::numeric_limits<double>::infinity();

    double min = kNoMin;
    double max = kNoMax;
    double minabs = kNoMin;
    double maxabs = kNoMax;
    double mean = 0;
    double meanabs = 0;
    double stdabw = 0;
    double stdabwAbs = 0;
    // The figures as shown, formatted for the statistics unit.
    QString anz_min;
    QString anz_max;
    QString anz_mean;
    QString anz_dev = QStringLiteral(" ");
    QString statEinheit;            // unit of the first value since the reset
    bool einheitenGemischt = false; // a value of another unit came: no figures
    int statZaehler = 0;            // the count after the last update
    double letzterWert = 0;         // input of the update: the row just appended
    QString letzteEinheit;

    // 80/20 rule.
    bool Fehler8020 = false;        // a value below the minimum or above the maximum (sticky)
    bool FehlerProzent8020 = false; // more than 20 % in the band from 80 to 100 % of the target
    bool FehlerMittel8020 = false;  // the mean is below the target
    int Anz8020 = 0;
    double Prozent8020 = 0;
    QString Text8020;

    // 90/10 and SSPC-PA 2, counted with the statistics.
    Verdict9010 regel9010;
    VerdictPa2 regelPa2;

    // The chosen rule's lines after the figures, the first its verdict (the 80/20 line for ISO 19840), as the list
    // shows them; empty while the evaluation is off.
    std::vector<RuleLine> regelZeilen;
};

} // namespace table
