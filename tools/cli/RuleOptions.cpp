#include "RuleOptions.h"

#include "shell/Numbers.h"

#include <cmath>

namespace {

const QString kRule = QStringLiteral("--rule");
const QString kNominal = QStringLiteral("--nominal");
const QString kMin = QStringLiteral("--min");
const QString kMax = QStringLiteral("--max");
const QString kSpot = QStringLiteral("--spot");
const QString kArea = QStringLiteral("--area");
const QString kSpotMin = QStringLiteral("--spot-min-pct");
const QString kSpotMax = QStringLiteral("--spot-max-pct");
const QString kRoughness = QStringLiteral("--roughness");
const QString kInspectionArea = QStringLiteral("--inspection-area");

// Limits beyond any reading a gauge can send are no limits.
constexpr double kMaxLimit = 1e9;

// An option's value as a number from lo to hi; false with the reason in error.
bool takeNumber(const QString& name, const QString& value, double lo, double hi, std::optional<double>& target,
                QString& error)
{
    double v = 0;
    if (!shell::Numbers::parseNumber(value, v) || v < lo || v > hi) {
        error = QStringLiteral("%1: expected a number from %2 to %3, got \"%4\"")
                    .arg(name, shell::Numbers::formatGeneral(lo), shell::Numbers::formatGeneral(hi), value);
        return false;
    }
    target = v;
    return true;
}

// An option's value as a whole number from lo to hi; false with the reason in error.
bool takeWhole(const QString& name, const QString& value, int lo, int hi, std::optional<int>& target, QString& error)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok || v < lo || v > hi) {
        error = QStringLiteral("%1: expected a whole number from %2 to %3, got \"%4\"")
                    .arg(name)
                    .arg(lo)
                    .arg(hi)
                    .arg(value);
        return false;
    }
    target = v;
    return true;
}

} // namespace

const QStringList& RuleOptions::names()
{
    static const QStringList all = {kRule, kNominal, kMin,     kMax,       kSpot,
                                    kArea, kSpotMin, kSpotMax, kRoughness, kInspectionArea};
    return all;
}

bool RuleOptions::take(const QString& name, const QString& value, QString& error)
{
    using shell::InspectionRule;
    const auto number = [&](double lo, double hi, std::optional<double>& target) {
        return takeNumber(name, value, lo, hi, target, error);
    };
    const auto whole = [&](int lo, int hi, std::optional<int>& target) {
        return takeWhole(name, value, lo, hi, target, error);
    };
    if (name == kRule) {
        shell::RuleKind kind;
        if (!shell::kindFromCode(value, kind)) {
            error = QStringLiteral("--rule: 8020, 9010 or pa2, got \"%1\"").arg(value);
            return false;
        }
        standIn.kind = kind;
        return true;
    }
    if (name == kRoughness) {
        shell::Roughness r;
        if (!shell::roughnessFromCode(value, r)) {
            error = QStringLiteral("--roughness: fine, medium, coarse or none, got \"%1\"").arg(value);
            return false;
        }
        standIn.roughness = r;
        return true;
    }
    if (name == kNominal)
        return number(0, kMaxLimit, standIn.Esoll);
    if (name == kMin)
        return number(0, kMaxLimit, standIn.Emin);
    if (name == kMax)
        return number(0, kMaxLimit, standIn.Emax);
    if (name == kSpot)
        return whole(InspectionRule::kMinSpot, InspectionRule::kMaxSpot, standIn.spotSize);
    if (name == kArea)
        return whole(1, InspectionRule::kMaxSpotsPerArea, standIn.spotsPerArea);
    if (name == kSpotMin)
        return number(0, InspectionRule::kMaxPercent, standIn.spotMinPct);
    if (name == kSpotMax)
        return number(0, InspectionRule::kMaxPercent, standIn.spotMaxPct);
    if (name == kInspectionArea)
        return number(0, InspectionRule::kMaxArea, standIn.inspectionArea);
    error = QStringLiteral("%1 is not a rule option").arg(name);
    return false;
}

QString RuleOptions::helpText()
{
    return QStringLiteral(R"(
Rule options (read, online, export): each stands in for what Limit.ini and Regel.ini hold; the statistics
printed and written end with the rule's lines.
  --rule 8020|9010|pa2  the inspection rule, switched on: ISO 19840 80/20, IMO PSPC 90/10 or SSPC-PA 2
  --nominal X           the target (nominal thickness); 80/20 and 90/10 set the minimum to 80 or 90 % of it
  --min X, --max X      the minimum and maximum limits (SSPC-PA 2 needs both)
  --spot N              SSPC-PA 2: readings per spot (3 to 100, default 3)
  --area M              SSPC-PA 2: spots per area (1 to 100, default 5)
  --spot-min-pct P      SSPC-PA 2: lowest spot mean in % of the minimum (default 80, restriction level 3)
  --spot-max-pct P      SSPC-PA 2: highest spot mean in % of the maximum (default 120)
  --roughness fine|medium|coarse|none
                        ISO 19840: 10, 25 or 40 µm taken off each reading for the evaluation only
  --inspection-area A   ISO 19840: the inspection area in m² or m; the statistics say the minimum number of
                        readings (5 up to 1, 10 up to 3, 15 up to 10, 20 up to 30, 30 up to 100, then 10 more
                        for every further 100) and whether the table reaches it
)");
}
