#include "InspectionRule.h"

#include "AppState.h"
#include "Numbers.h"

namespace shell {

namespace {

struct KindCode {
    RuleKind kind;
    const char* code;
};
const KindCode kKinds[] = {{RuleKind::Iso19840, "8020"}, {RuleKind::ImoPspc, "9010"}, {RuleKind::SspcPa2, "PA2"}};

struct RoughnessCode {
    Roughness r;
    const char* code;
    double microns;
};
const RoughnessCode kRoughness[] = {{Roughness::None, "none", 0},
                                    {Roughness::Fine, "fine", 10},
                                    {Roughness::Medium, "medium", 25},
                                    {Roughness::Coarse, "coarse", 40}};

bool inRange(double v, double lo, double hi)
{
    return v >= lo && v <= hi;
}

bool wholeNumber(const QString& text, int lo, int hi, int& out)
{
    double v = 0;
    if (!Numbers::parseNumber(text, v) || v != static_cast<int>(v) || !inRange(v, lo, hi))
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

double roughnessMicrons(Roughness r)
{
    for (const RoughnessCode& c : kRoughness)
        if (c.r == r)
            return c.microns;
    return 0;
}

int minimumPercent(RuleKind kind)
{
    return kind == RuleKind::Iso19840 ? 80 : kind == RuleKind::ImoPspc ? 90 : 0;
}

double ruleMinimum(RuleKind kind, double esoll)
{
    // 1.1 * 90 / 100 is 0.9900000000000001 in binary; the dialog shows and Limit.ini keeps 0.99.
    return Numbers::decimal15(esoll * minimumPercent(kind) / 100);
}

QString kindCode(RuleKind kind)
{
    for (const KindCode& c : kKinds)
        if (c.kind == kind)
            return QString::fromLatin1(c.code);
    return {};
}

bool kindFromCode(const QString& code, RuleKind& kind)
{
    for (const KindCode& c : kKinds)
        if (code.compare(QLatin1String(c.code), Qt::CaseInsensitive) == 0) {
            kind = c.kind;
            return true;
        }
    return false;
}

QString roughnessCode(Roughness r)
{
    for (const RoughnessCode& c : kRoughness)
        if (c.r == r)
            return QString::fromLatin1(c.code);
    return {};
}

bool roughnessFromCode(const QString& code, Roughness& r)
{
    for (const RoughnessCode& c : kRoughness)
        if (code == QLatin1String(c.code)) {
            r = c.r;
            return true;
        }
    return false;
}

QString ruleLine(const InspectionRule& rule)
{
    const QChar sep = QLatin1Char(';');
    return kindCode(rule.kind) + sep + roughnessCode(rule.roughness) + sep +
           Numbers::formatGeneral(rule.inspectionArea) + sep + QString::number(rule.spotSize) + sep +
           QString::number(rule.spotsPerArea) + sep + Numbers::formatGeneral(rule.spotMinPct) + sep +
           Numbers::formatGeneral(rule.spotMaxPct) + sep;
}

bool parseRuleLine(const QString& line, InspectionRule& rule)
{
    const QStringList f = Numbers::trimBlanks(line).split(QLatin1Char(';'));
    InspectionRule r;
    const auto field = [&f](int i) { return i < f.size() ? Numbers::trimBlanks(f.at(i)) : QString(); };
    if (!kindFromCode(field(0), r.kind))
        return false;
    if (!field(1).isEmpty() && !roughnessFromCode(field(1), r.roughness))
        return false;
    if (!field(2).isEmpty() &&
        (!Numbers::parseNumber(field(2), r.inspectionArea) || !inRange(r.inspectionArea, 0, InspectionRule::kMaxArea)))
        return false;
    if (!field(3).isEmpty() && !wholeNumber(field(3), InspectionRule::kMinSpot, InspectionRule::kMaxSpot, r.spotSize))
        return false;
    if (!field(4).isEmpty() && !wholeNumber(field(4), 1, InspectionRule::kMaxSpotsPerArea, r.spotsPerArea))
        return false;
    for (const auto& [i, pct] : {std::pair{5, &r.spotMinPct}, std::pair{6, &r.spotMaxPct}})
        if (!field(i).isEmpty() &&
            (!Numbers::parseNumber(field(i), *pct) || !inRange(*pct, 0, InspectionRule::kMaxPercent)))
            return false;
    rule = r;
    return true;
}

QString targetRequiredText(const AppState& st, RuleKind kind)
{
    if (kind == RuleKind::ImoPspc)
        return st.say(shell::Phrase::TargetNeededFor9010);
    return st.msg(Msg::TargetFor8020);
}

QString minLimitAdjustedText(const AppState& st, RuleKind kind)
{
    QString text = st.msg(Msg::MinLimitAdjusted);
    if (kind == RuleKind::ImoPspc)
        text.replace(QLatin1String("80/20"), QLatin1String("90/10"));
    return text;
}

QString pa2LimitsRequiredText(const AppState& st)
{
    return st.say(shell::Phrase::LimitsNeededForPa2);
}

void checkRuleLimits(AppState& st, bool ticked, FormState* dialog)
{
    Limits& l = st.limits;
    if (ticked) {
        const RuleKind kind = st.rule.kind;
        if (minimumPercent(kind) == 0) {
            if (l.Emin == 0 || l.Emax == 0)
                st.messageBox(pa2LimitsRequiredText(st));
        } else if (l.Esoll == 0) {
            st.messageBox(targetRequiredText(st, kind));
            return;
        } else if (const double adjusted = ruleMinimum(kind, l.Esoll); adjusted != l.Emin) {
            const double old = l.Emin;
            l.Emin = adjusted;
            l.EminStr = Numbers::formatGeneral(adjusted);
            if (dialog)
                dialog->setText(ctl::frmWerte::txtMinLimit, l.EminStr);
            st.messageBox(minLimitAdjustedText(st, kind) + Numbers::formatGeneral(old) + QLatin1Char(' ') +
                          st.msg(Msg::To) + QLatin1Char(' ') + l.EminStr);
        }
    } else if (l.Esoll != 0 && (l.Esoll < l.Emin || l.Esoll > l.Emax)) {
        st.messageBox(st.msg(Msg::TargetOutsideLimits));
    }
    if (l.Emin != 0 && l.Emax != 0 && l.Emin > l.Emax)
        st.messageBox(st.msg(Msg::MinAboveMax));
}

void applyStandIn(AppState& st)
{
    const RuleStandIn& s = st.ruleStandIn;
    Limits& l = st.limits;
    InspectionRule& r = st.rule;
    bool any = false;
    const auto put = [&any](auto& target, const auto& given) {
        if (given) {
            target = *given;
            any = true;
        }
    };
    put(l.Emin, s.Emin);
    put(l.Emax, s.Emax);
    put(l.Esoll, s.Esoll);
    put(r.kind, s.kind);
    put(r.roughness, s.roughness);
    put(r.inspectionArea, s.inspectionArea);
    put(r.spotSize, s.spotSize);
    put(r.spotsPerArea, s.spotsPerArea);
    put(r.spotMinPct, s.spotMinPct);
    put(r.spotMaxPct, s.spotMaxPct);
    if (!any)
        return;
    l.EminStr = Numbers::formatGeneral(l.Emin);
    l.EmaxStr = Numbers::formatGeneral(l.Emax);
    l.EsollStr = Numbers::formatGeneral(l.Esoll);
    if (s.kind)
        l.E8020 = true;
    if (l.E8020)
        checkRuleLimits(st, true, nullptr);
}

} // namespace shell
