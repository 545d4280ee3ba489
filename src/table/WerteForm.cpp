#include "WerteForm.h"
#include "shell/Controls.h"

#include "InspectionRules.h"
#include "shell/AppState.h"
#include "shell/Numbers.h"

#include <cmath>

namespace Main = ctl::frmTransfer;
namespace Werte = ctl::frmWerte;

namespace table {

namespace {

const QString kForm = Werte::form;
const QString kMin = Werte::txtMinLimit;
const QString kMax = Werte::txtMaxLimit;
const QString kSoll = Werte::txtSoll;
const QString kChk = Werte::chk8020;

const QStringList kRuleNames = {QStringLiteral("80/20 (ISO 19840)"), QStringLiteral("90/10 (IMO PSPC)"),
                                QStringLiteral("SSPC-PA 2")};

// Leading number of the text read with "." as decimal separator; only its sign matters here.
bool leadingNumberNegative(const QString& text)
{
    const QString s = text.trimmed();
    if (!s.startsWith(QLatin1Char('-')))
        return false;
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isDigit() && c != QLatin1Char('0'))
            return true;
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(' '))
            return false;
    }
    return false;
}

} // namespace

WerteForm::WerteForm(shell::AppState& st, QObject* parent) : QObject(parent), m_st(st) {}

shell::FormState& WerteForm::form()
{
    return m_st.forms[kForm];
}

void WerteForm::Form_Activate()
{
    shell::AppState& st = m_st;
    shell::FormState& f = form();
    const bool de = st.sprache() == 0;
    f.setCaption(st.msg(shell::Msg::ProgramTitle));
    f.setText(Werte::frmLimits, st.msg(shell::Msg::Limits));
    f.setText(Werte::lblMin, QStringLiteral("Min Limit:"));
    f.setText(Werte::lblMax, QStringLiteral("Max Limit:"));
    f.setText(Werte::lblSoll, st.msg(shell::Msg::Target));
    f.setText(Werte::cmdSpeichern, de ? QStringLiteral("Speichern") : QStringLiteral("Save"));
    f.setText(Werte::cmdLoeschen, de ? QStringLiteral("Löschen") : QStringLiteral("Delete"));
    f.setText(Werte::cmdInfo, QStringLiteral("Info"));
    f.setText(Werte::frmRegel, st.say(shell::Phrase::Rule));
    f.setItems(Werte::cboRegel, kRuleNames);
    f.setText(Werte::cboRegel, kRuleNames.value(int(st.rule.kind)));
    const QStringList roughness = {st.say(shell::Phrase::None), st.say(shell::Phrase::Fine10M),
                                   st.say(shell::Phrase::Medium25M), st.say(shell::Phrase::Coarse40M)};
    f.setText(Werte::lblRauheit, st.say(shell::Phrase::Roughness));
    f.setItems(Werte::cboRauheit, roughness);
    f.setText(Werte::cboRauheit, roughness.value(int(st.rule.roughness)));
    f.setText(Werte::lblFlaeche, st.say(shell::Phrase::InspectionAreaMM));
    f.setText(Werte::txtFlaeche, shell::Numbers::formatGeneral(st.rule.inspectionArea));
    f.setText(Werte::lblSpot, st.say(shell::Phrase::ReadingsPerSpot));
    f.setText(Werte::txtSpot, QString::number(st.rule.spotSize));
    f.setText(Werte::lblSpots, st.say(shell::Phrase::SpotsPerArea));
    f.setText(Werte::txtSpots, QString::number(st.rule.spotsPerArea));
    f.setText(Werte::lblSpotMin, st.say(shell::Phrase::SpotMinOfMin));
    f.setText(Werte::txtSpotMin, shell::Numbers::formatGeneral(st.rule.spotMinPct));
    f.setText(Werte::lblSpotMax, st.say(shell::Phrase::SpotMaxOfMax));
    f.setText(Werte::txtSpotMax, shell::Numbers::formatGeneral(st.rule.spotMaxPct));
    showRule();
    f.setText(kMin, shell::Numbers::formatGeneral(st.limits.Emin));
    f.setText(kMax, shell::Numbers::formatGeneral(st.limits.Emax));
    f.setText(kSoll, shell::Numbers::formatGeneral(st.limits.Esoll));
    if (st.limits.E8020 && !f.isChecked(kChk)) {
        f.setChecked(kChk, true);
        chk8020_Click();
    } else if (!st.limits.E8020) {
        f.setChecked(kChk, false); // a fresh dialog starts unticked
    }
}

bool WerteForm::validate(const QString& box, double& limit, QString& limitText)
{
    shell::FormState& f = form();
    QString text = f.text(box);
    if (text.isEmpty() || text == QLatin1String(" ")) {
        if (box == kSoll) {
            f.setText(box, QStringLiteral("0"));
            text = f.text(box);
        }
        limit = 0;
        limitText = text;
        return true;
    }
    bool accepted = true;
    bool ok = false;
    const QLocale loc; // the user's number format, group separators allowed
    double value = loc.toDouble(text.trimmed(), &ok);
    if (!ok) {
        m_st.messageBox(m_st.msg(shell::Msg::NumericRequired));
        accepted = false;
    } else {
        if (leadingNumberNegative(text)) {
            m_st.messageBox(m_st.msg(shell::Msg::OnlyPositive));
            text.remove(QLatin1Char('-'));
            f.setText(box, text);
            value = loc.toDouble(text.trimmed(), &ok);
        }
        limit = value;
        limitText = text;
    }
    Pruefen8020();
    if (!accepted)
        f.setFocus(box);
    return accepted;
}

bool WerteForm::txtMinLimit_LostFocus()
{
    return validate(kMin, m_st.limits.Emin, m_st.limits.EminStr);
}

bool WerteForm::txtMaxLimit_LostFocus()
{
    return validate(kMax, m_st.limits.Emax, m_st.limits.EmaxStr);
}

bool WerteForm::txtSoll_LostFocus()
{
    return validate(kSoll, m_st.limits.Esoll, m_st.limits.EsollStr);
}

void WerteForm::chk8020_Click()
{
    m_st.limits.E8020 = form().isChecked(kChk);
    Pruefen8020();
}

void WerteForm::Pruefen8020()
{
    shell::checkRuleLimits(m_st, form().isChecked(kChk), &form());
}

void WerteForm::showRule()
{
    shell::FormState& f = form();
    const shell::RuleKind kind = m_st.rule.kind;
    const bool iso = kind == shell::RuleKind::Iso19840;
    const bool pa2 = kind == shell::RuleKind::SspcPa2;
    // The box switches the chosen rule on: its caption names it.
    f.setText(kChk, iso ? QStringLiteral("80/20") : pa2 ? QStringLiteral("PA 2") : QStringLiteral("90/10"));
    f.setVisible(Werte::frmRegel, iso || pa2);
    for (const QString& name : {Werte::lblRauheit, Werte::cboRauheit, Werte::lblFlaeche, Werte::txtFlaeche})
        f.setVisible(name, iso);
    for (const QString& name : {Werte::lblSpot, Werte::txtSpot, Werte::lblSpots, Werte::txtSpots, Werte::lblSpotMin,
                                Werte::txtSpotMin, Werte::lblSpotMax, Werte::txtSpotMax, Werte::lblStufe})
        f.setVisible(name, pa2);
    f.setText(Werte::lblStufe,
              m_st.rule.level3() ? m_st.say(shell::Phrase::Level3) : m_st.say(shell::Phrase::CustomLevel2));
}

void WerteForm::cboRegel_Click()
{
    const qsizetype i = kRuleNames.indexOf(form().text(Werte::cboRegel));
    if (i < 0)
        return;
    m_st.rule.kind = static_cast<shell::RuleKind>(i);
    showRule();
    // The minimum follows the new rule's percentage of the target.
    if (form().isChecked(kChk))
        Pruefen8020();
}

void WerteForm::cboRauheit_Click()
{
    const qsizetype i = form().items(Werte::cboRauheit).indexOf(form().text(Werte::cboRauheit));
    if (i >= 0)
        m_st.rule.roughness = static_cast<shell::Roughness>(i);
}

bool WerteForm::ruleBox_LostFocus(const QString& box)
{
    using shell::InspectionRule;
    shell::InspectionRule& r = m_st.rule;
    double* target = nullptr;
    int* whole = nullptr;
    double lo = 0;
    double hi = InspectionRule::kMaxPercent;
    if (box == Werte::txtFlaeche) {
        target = &r.inspectionArea;
        hi = InspectionRule::kMaxArea;
    } else if (box == Werte::txtSpot) {
        whole = &r.spotSize;
        lo = InspectionRule::kMinSpot;
        hi = InspectionRule::kMaxSpot;
    } else if (box == Werte::txtSpots) {
        whole = &r.spotsPerArea;
        lo = 1;
        hi = InspectionRule::kMaxSpotsPerArea;
    } else if (box == Werte::txtSpotMin) {
        target = &r.spotMinPct;
    } else if (box == Werte::txtSpotMax) {
        target = &r.spotMaxPct;
    } else {
        return true;
    }
    shell::FormState& f = form();
    const QString text = f.text(box).trimmed();
    // An empty area is no area: no sampling plan.
    if (text.isEmpty() && target == &r.inspectionArea) {
        r.inspectionArea = 0;
        f.setText(box, QStringLiteral("0"));
        return true;
    }
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    QString refused;
    if (!ok || !std::isfinite(value))
        refused = m_st.msg(shell::Msg::NumericRequired);
    else if (value < lo || value > hi || (whole && value != std::floor(value)))
        refused = (whole ? m_st.say(shell::Phrase::AllowedAreWholeNumbersFrom)
                         : m_st.say(shell::Phrase::AllowedAreValuesFromTo))
                      .arg(shell::Numbers::formatGeneral(lo), shell::Numbers::formatGeneral(hi));
    if (!refused.isEmpty()) {
        m_st.messageBox(refused);
        f.setFocus(box);
        return false;
    }
    if (whole)
        *whole = static_cast<int>(value);
    else
        *target = value;
    showRule();
    return true;
}

void WerteForm::cmdLoeschen_Click()
{
    shell::AppState& st = m_st;
    shell::FormState& f = form();
    st.limits.Emin = st.limits.Emax = st.limits.Esoll = 0;
    for (const QString& box : {kMin, kMax, kSoll})
        f.setText(box, QStringLiteral("0"));
    if (f.isChecked(kChk)) {
        f.setChecked(kChk, false);
        chk8020_Click();
    }
}

void WerteForm::cmdSpeichern_Click()
{
    wertechanged = true;
    m_st.main().setFocus(Main::cmdWerte);
    emit closeRequested();
}

void WerteForm::cmdInfo_Click()
{
    m_st.messageBox(ruleText(m_st.rule, m_st.sprache()), shell::Dialogs::Buttons::Ok,
                    shell::Dialogs::Icon::Information);
}

} // namespace table
