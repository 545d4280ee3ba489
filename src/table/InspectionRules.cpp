#include "InspectionRules.h"

#include "Statistik.h"
#include "shell/AppState.h"
#include "shell/Numbers.h"

#include <algorithm>
#include <cmath>

namespace table {

namespace {

using shell::RuleKind;

// a ≥ b where b is a percentage of a limit: its binary noise (1.1 * 80 / 100 is 0.8800000000000001) and that of a
// mean must not put a reading or spot that is exactly on the bound outside it.
bool notBelow(double a, double b)
{
    return a >= b || b - a <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

double mean(std::span<const double> values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.empty() ? 0.0 : sum / double(values.size());
}

bool spotInRange(double m, const shell::Limits& l, const shell::InspectionRule& r)
{
    return notBelow(m, l.Emin * r.spotMinPct / 100) && notBelow(l.Emax * r.spotMaxPct / 100, m);
}

bool areaInRange(double m, const shell::Limits& l)
{
    return notBelow(m, l.Emin) && notBelow(l.Emax, m);
}

// The numbers of the spots or areas outside; the first 20 only, so the line stays readable and its cost per
// reading bounded (the count before them is complete).
QString numbers(const shell::AppState& st, const std::vector<int>& list)
{
    constexpr size_t kListed = 20;
    if (list.empty())
        return {};
    QStringList parts;
    for (size_t i = 0; i < list.size() && i < kListed; ++i)
        parts << QString::number(list[i]);
    if (list.size() > kListed)
        parts << QStringLiteral("…");
    return QStringLiteral(" (") + st.say(shell::Phrase::No) + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString yesNo(const shell::AppState& st, bool ok)
{
    return st.msg(ok ? shell::Msg::Yes : shell::Msg::No);
}

QString roughnessName(const shell::AppState& st, shell::Roughness r)
{
    switch (r) {
    case shell::Roughness::Fine:
        return st.say(shell::Phrase::Fine);
    case shell::Roughness::Medium:
        return st.say(shell::Phrase::Medium);
    case shell::Roughness::Coarse:
        return st.say(shell::Phrase::Coarse);
    case shell::Roughness::None:
        break;
    }
    return st.say(shell::Phrase::None);
}

} // namespace

double ruleValue(const shell::AppState& st, double wert)
{
    return st.device.geraet.startsWith(QLatin1String("VX")) ? wert : std::fabs(wert);
}

double roughnessCorrection(const shell::AppState& st, const QString& einheit)
{
    if (!st.limits.E8020 || st.rule.kind != RuleKind::Iso19840 || !einheit.startsWith(QStringLiteral("µm")))
        return 0;
    return shell::roughnessMicrons(st.rule.roughness);
}

double minimum8020(double esoll)
{
    return shell::ruleMinimum(RuleKind::Iso19840, esoll);
}

int minimumReadings(double area)
{
    if (!(area > 0))
        return 0;
    struct Step {
        double upTo;
        int readings;
    };
    static constexpr Step kSteps[] = {{1, 5}, {3, 10}, {10, 15}, {30, 20}, {100, 30}};
    for (const Step& s : kSteps)
        if (area <= s.upTo)
            return s.readings;
    // Above 100: 10 more for every further 100 or part of it.
    const double further = std::ceil(shell::Numbers::decimal15((area - 100) / 100));
    return 30 + 10 * static_cast<int>(std::min(further, 1e8));
}

void add8020(Statistik& s, double v, double mean, int n, const shell::Limits& limits)
{
    s.FehlerMittel8020 = mean < limits.Esoll;
    if (limits.Emin >= 0 && v < limits.Emin)
        s.Fehler8020 = true;
    if (limits.Emax >= 0 && v > limits.Emax)
        s.Fehler8020 = true;
    if (minimum8020(limits.Esoll) <= v && v < limits.Esoll)
        ++s.Anz8020;
    s.Prozent8020 = static_cast<double>(s.Anz8020) / n * 100;
    s.FehlerProzent8020 = s.Prozent8020 > 20;
}

void Verdict9010::add(double v, double esoll, double emax)
{
    ++n;
    switch (mark9010(v, esoll, emax)) {
    case Mark::Band:
        ++band;
        break;
    case Mark::Out:
        ++(emax != 0 && v > emax ? above : below);
        break;
    default:
        break;
    }
}

bool Verdict9010::ok() const
{
    // At least 90 % at or above the target: exactly 10 % in the band passes.
    return n > 0 && below == 0 && above == 0 && band * 10 <= n;
}

Verdict9010 evaluate9010(std::span<const double> values, double esoll, double emax)
{
    Verdict9010 r;
    for (double v : values)
        r.add(v, esoll, emax);
    return r;
}

Mark mark9010(double v, double esoll, double emax)
{
    if (emax != 0 && v > emax)
        return Mark::Out;
    if (!notBelow(v, esoll * 90 / 100))
        return Mark::Out;
    return v < esoll ? Mark::Band : Mark::Ok;
}

void VerdictPa2::add(double v, const shell::Limits& limits, const shell::InspectionRule& rule)
{
    spotSum += v;
    if (++openReadings < std::max(rule.spotSize, 1))
        return;
    // The same sum in the same order as the table's colour of the spot, so both agree to the last bit.
    const double m = spotSum / openReadings;
    spotSum = 0;
    openReadings = 0;
    ++spots;
    if (!spotInRange(m, limits, rule))
        spotsOutside.push_back(spots);
    areaSum += m;
    if (++openSpots < std::max(rule.spotsPerArea, 1))
        return;
    ++areas;
    if (!areaInRange(areaSum / openSpots, limits))
        areasOutside.push_back(areas);
    areaSum = 0;
    openSpots = 0;
}

VerdictPa2 evaluatePa2(std::span<const double> values, const shell::Limits& limits, const shell::InspectionRule& rule)
{
    VerdictPa2 r;
    for (double v : values)
        r.add(v, limits, rule);
    return r;
}

Mark markSpot(std::span<const double> spot, const shell::Limits& limits, const shell::InspectionRule& rule)
{
    if (int(spot.size()) < rule.spotSize)
        return Mark::None;
    return spotInRange(mean(spot), limits, rule) ? Mark::Ok : Mark::Out;
}

QString RuleLine::text() const
{
    // Built in one piece: the list is rewritten for every appended reading.
    const bool gap = !verdict.isEmpty() && !figure.isEmpty();
    QString line;
    line.reserve(std::max<qsizetype>(label.size(), 16) + 6 + verdict.size() + 1 + figure.size());
    line += label;
    line.resize(std::max<qsizetype>(label.size(), 16) + 6, QLatin1Char(' '));
    line += verdict;
    if (gap)
        line += QLatin1Char(' ');
    line += figure;
    return line;
}

std::vector<RuleLine> ruleLines(const shell::AppState& st, const Statistik& s, int n)
{
    const shell::InspectionRule& rule = st.rule;
    std::vector<RuleLine> lines;
    switch (rule.kind) {
    case RuleKind::Iso19840: {
        lines.push_back({st.stat(shell::Stat::Rule8020), s.Text8020,
                         QString::number(std::nearbyint(s.Prozent8020)) + QStringLiteral(" %")});
        if (rule.roughness != shell::Roughness::None) {
            const double c = roughnessCorrection(st, s.statEinheit);
            const QString name = roughnessName(st, rule.roughness);
            lines.push_back({st.say(shell::Phrase::Roughness), QString(),
                             c > 0 ? st.say(shell::Phrase::MSubtracted).arg(name).arg(c)
                                   : st.say(shell::Phrase::NotAppliedValuesNotIn).arg(name)});
        }
        if (const int minimum = minimumReadings(rule.inspectionArea); minimum > 0)
            lines.push_back({st.say(shell::Phrase::MinimumCount), QString(),
                             QString::number(minimum) + QLatin1Char(' ') +
                                 (n >= minimum ? st.say(shell::Phrase::Met) : st.say(shell::Phrase::NotMet))});
        break;
    }
    case RuleKind::ImoPspc: {
        const Verdict9010& v = s.regel9010;
        lines.push_back({st.say(shell::Phrase::T9010RuleOk), yesNo(st, v.ok()),
                         QString::number(std::nearbyint(v.bandPercent())) + QStringLiteral(" %")});
        break;
    }
    case RuleKind::SspcPa2: {
        const VerdictPa2& v = s.regelPa2;
        const QString level = rule.level3() ? st.say(shell::Phrase::Level3)
                                            : st.say(shell::Phrase::CustomLevel)
                                                  .arg(shell::Numbers::formatGeneral(rule.spotMinPct),
                                                       shell::Numbers::formatGeneral(rule.spotMaxPct));
        // Nothing judged yet is no verdict.
        lines.push_back(
            {st.say(shell::Phrase::PA2RuleOk), v.spots == 0 ? st.say(shell::Phrase::Open) : yesNo(st, v.ok()), level});
        QString spots = QString::number(v.spots);
        if (v.openReadings > 0)
            spots += st.say(shell::Phrase::OpenOf).arg(v.openReadings).arg(rule.spotSize);
        lines.push_back({QStringLiteral("Spots:"), QString(), spots});
        lines.push_back({st.say(shell::Phrase::SpotsOutside), QString(),
                         QString::number(v.spotsOutside.size()) + numbers(st, v.spotsOutside)});
        QString areas = QString::number(v.areas) + st.say(shell::Phrase::Outside).arg(v.areasOutside.size()) +
                        numbers(st, v.areasOutside);
        if (v.openArea())
            areas += st.say(shell::Phrase::T1Open);
        lines.push_back({st.say(shell::Phrase::Areas), QString(), areas});
        break;
    }
    }
    return lines;
}

QString ruleText(const shell::InspectionRule& rule, int sprache)
{
    const bool en = sprache == 1;
    const auto t = [en](shell::Phrase text) { return QString::fromUtf8(shell::phraseText(text, en)); };
    QStringList rules;
    QString legend;
    switch (rule.kind) {
    case RuleKind::Iso19840:
        rules << t(shell::Phrase::Rule8020Heading) << t(shell::Phrase::Rule8020Mean) << t(shell::Phrase::Rule8020Min)
              << t(shell::Phrase::Rule8020Share) << t(shell::Phrase::Rule8020Max);
        if (rule.roughness != shell::Roughness::None)
            rules << t(shell::Phrase::Rule8020Roughness).arg(rules.size()).arg(shell::roughnessMicrons(rule.roughness));
        if (rule.inspectionArea > 0)
            rules << t(shell::Phrase::Rule8020Area)
                         .arg(rules.size())
                         .arg(shell::Numbers::formatGeneral(rule.inspectionArea))
                         .arg(minimumReadings(rule.inspectionArea));
        legend = t(shell::Phrase::Rule8020Legend);
        break;
    case RuleKind::ImoPspc:
        rules << t(shell::Phrase::Rule9010Heading) << t(shell::Phrase::Rule9010AtTarget)
              << t(shell::Phrase::Rule9010Min) << t(shell::Phrase::Rule9010Share) << t(shell::Phrase::Rule9010Max);
        legend = t(shell::Phrase::Rule9010Legend);
        break;
    case RuleKind::SspcPa2:
        rules << t(shell::Phrase::Pa2Heading) << t(shell::Phrase::Pa2Spots).arg(rule.spotSize).arg(rule.spotsPerArea)
              << t(shell::Phrase::Pa2SpotLimits)
                     .arg(shell::Numbers::formatGeneral(rule.spotMinPct),
                          shell::Numbers::formatGeneral(rule.spotMaxPct),
                          rule.level3() ? t(shell::Phrase::Pa2Level3) : t(shell::Phrase::Pa2CustomLevel))
              << t(shell::Phrase::Pa2AreaLimits) << t(shell::Phrase::Pa2SingleValues);
        legend = t(shell::Phrase::Pa2Legend);
        break;
    }
    const QString nl = QStringLiteral("\n");
    return rules.join(nl) + nl + nl + legend + nl;
}

} // namespace table
