#pragma once

#include <QString>

#include <optional>

namespace shell {

struct AppState;
class FormState;

// The inspection rule the limits dialog's check box switches on, with the rule's own settings (Regel.ini).
enum class RuleKind { Iso19840, ImoPspc, SspcPa2 };
enum class Roughness { None, Fine, Medium, Coarse };

struct InspectionRule {
    static constexpr int kMinSpot = 3;
    static constexpr int kMaxSpot = 100;
    static constexpr int kMaxSpotsPerArea = 100;
    static constexpr double kMaxPercent = 1000;
    static constexpr double kMaxArea = 1e9;

    RuleKind kind = RuleKind::Iso19840;
    // ISO 19840 additions, off by default.
    Roughness roughness = Roughness::None;
    double inspectionArea = 0; // m² or m; 0: no sampling plan
    // SSPC-PA 2: readings per spot, spots per area, the spot range in percent of the minimum and the maximum.
    int spotSize = 3;
    int spotsPerArea = 5;
    double spotMinPct = 80;
    double spotMaxPct = 120;

    bool operator==(const InspectionRule&) const = default;
    bool isDefault() const { return *this == InspectionRule(); }
    // Restriction level 3 of SSPC-PA 2; other percentages are a custom level.
    bool level3() const { return spotMinPct == 80 && spotMaxPct == 120; }
};

// The µm a roughness class takes off each reading for the evaluation.
double roughnessMicrons(Roughness r);
// The percentage of the target that is the minimum a reading may have: 80 (ISO 19840) or 90 (IMO PSPC); 0 for
// rules that take the minimum as given.
int minimumPercent(RuleKind kind);
// That minimum for a target as the user reads it (15 significant digits).
double ruleMinimum(RuleKind kind, double esoll);

// Codes on the command line and in Regel.ini.
QString kindCode(RuleKind kind); // "8020", "9010", "PA2"
bool kindFromCode(const QString& code, RuleKind& kind);
QString roughnessCode(Roughness r); // "none", "fine", "medium", "coarse"
bool roughnessFromCode(const QString& code, Roughness& r);

// The one line of Regel.ini: rule;roughness;area;spot size;spots per area;spot min %;spot max %;
// Numbers in the user's format, as Limit.ini has them.
QString ruleLine(const InspectionRule& rule);
// False (rule unchanged) for a line that is not one; missing trailing fields keep their defaults.
bool parseRuleLine(const QString& line, InspectionRule& rule);

// Limits and rule settings given on a command line: they stand in for what Limit.ini and Regel.ini hold, each
// only where given. A rule given switches the evaluation on.
struct RuleStandIn {
    std::optional<RuleKind> kind;
    std::optional<double> Emin, Emax, Esoll;
    std::optional<Roughness> roughness;
    std::optional<double> inspectionArea;
    std::optional<int> spotSize, spotsPerArea;
    std::optional<double> spotMinPct, spotMaxPct;
};
// Puts a stand-in over the limits and the rule just read, then checks them as the limits dialog does when its
// check box is ticked (the minimum follows the target for 80/20 and 90/10), with the dialog's messages.
void applyStandIn(AppState& st);

// The limits dialog's consistency check for the chosen rule: with the evaluation ticked, 80/20 and 90/10 need a
// target and move the minimum to their percentage of it (shown in the dialog's box when one is given), SSPC-PA 2
// needs both limits; unticked, the target must lie within the limits. Warnings only, through message boxes.
void checkRuleLimits(AppState& st, bool ticked, FormState* dialog);

// Messages of the rule checks, by the current language.
QString targetRequiredText(const AppState& st, RuleKind kind);
QString minLimitAdjustedText(const AppState& st, RuleKind kind); // followed by "<old> nach <new>"
QString pa2LimitsRequiredText(const AppState& st);

} // namespace shell
