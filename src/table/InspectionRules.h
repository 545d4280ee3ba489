#pragma once

#include "shell/InspectionRule.h"
#include "shell/Limits.h"

#include <QString>

#include <span>
#include <vector>

namespace shell {
struct AppState;
}

namespace table {

struct Statistik;

// The inspection rules the limits dialog offers, as plain functions over a view's readings in their stored order.
// Each is counted reading by reading with the statistics, so an appended reading costs the same at row 5000 as at
// row 1; the evaluate functions run a count over a whole series.

// The reading a rule judges: coating gauges report thicknesses, so their sign is dropped as the statistics drop it.
double ruleValue(const shell::AppState& st, double wert);

// The µm the roughness class takes off each reading of the 80/20 evaluation; 0 when the evaluation is off, another
// rule is chosen or the readings are not in µm.
double roughnessCorrection(const shell::AppState& st, const QString& einheit);

// 80 % of the target as the user reads it: the minimum limit the 80/20 rule sets and the start of the orange band
// are this one value, so a value of exactly 80 % (0.88 for 1.1) is in the band.
double minimum8020(double esoll);

// ISO 19840 sampling plan: the minimum number of readings for an inspection area (m² or m); 0 without an area.
int minimumReadings(double area);

// One step of the 80/20 rule for the n-th reading v and the mean, both already corrected for roughness: the
// flags, count and percentage of the statistics (not the verdict text, which is the statistics' language).
void add8020(Statistik& s, double v, double mean, int n, const shell::Limits& limits);

// IMO PSPC 90/10: at least 90 % of the readings at or above the target, none below 90 % of it, none above a
// maximum that is set. Counted reading by reading.
struct Verdict9010 {
    int n = 0;
    int band = 0;  // in [90 %, 100 %) of the target
    int below = 0; // below 90 % of the target
    int above = 0; // above the maximum
    void add(double v, double esoll, double emax);
    bool ok() const;
    double bandPercent() const { return n > 0 ? double(band) / n * 100 : 0; }
};
Verdict9010 evaluate9010(std::span<const double> values, double esoll, double emax);

// SSPC-PA 2: consecutive readings form spots (their mean), consecutive spots form areas. Spot means must lie in
// [spotMinPct % of Emin, spotMaxPct % of Emax], area means in [Emin, Emax]. An incomplete last spot or area is
// open and not judged. Counted reading by reading, in the stored order.
struct VerdictPa2 {
    int spots = 0;                 // complete spots
    int openReadings = 0;          // readings of the open last spot
    std::vector<int> spotsOutside; // numbers, from 1
    int areas = 0;                 // complete areas
    std::vector<int> areasOutside;
    int openSpots = 0; // complete spots of the open last area
    double spotSum = 0;
    double areaSum = 0;

    void add(double v, const shell::Limits& limits, const shell::InspectionRule& rule);
    bool ok() const { return spotsOutside.empty() && areasOutside.empty(); }
    bool openArea() const { return openSpots > 0 || openReadings > 0; }
};
VerdictPa2 evaluatePa2(std::span<const double> values, const shell::Limits& limits, const shell::InspectionRule& rule);

// How a reading is marked in the table.
enum class Mark { None, Ok, Band, Out };
// 90/10: Ok at or above the target (and not above the maximum), Band in [90 %, 100 %), Out below 90 % or above the
// maximum.
Mark mark9010(double v, double esoll, double emax);
// SSPC-PA 2: the mark of every reading of a spot; None while the spot has fewer readings than it needs.
Mark markSpot(std::span<const double> spot, const shell::Limits& limits, const shell::InspectionRule& rule);

// A line of the rule in the statistics: the label, a verdict ("Ja"/"Nein ", empty on lines without one) and the
// figure.
struct RuleLine {
    QString label;
    QString verdict;
    QString figure;
    // As the statistics list shows it: the label padded to 16, six blanks, the verdict, a blank, the figure.
    QString text() const;
};

// The chosen rule's statistics lines for n readings, from the counts in s; the first is the verdict line.
std::vector<RuleLine> ruleLines(const shell::AppState& st, const Statistik& s, int n);

// The rule text of the limits dialog's Info button for the chosen rule.
QString ruleText(const shell::InspectionRule& rule, int sprache);

} // namespace table
