#include "WerteForm.h"
#include "shell/Controls.h"

#include "InspectionRules.h"
#include "shell/AppState.h"
#include "shell/Numbers.h"

namespace Main = ctl::frmTransfer;
namespace Werte = ctl::frmWerte;

namespace table {

namespace {

const QString kForm = Werte::form;
const QString kMin = Werte::txtMinLimit;
const QString kMax = Werte::txtMaxLimit;
const QString kSoll = Werte::txtSoll;
const QString kChk = Werte::chk8020;

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
    f.setText(kChk, QStringLiteral("80/20"));
    f.setText(Werte::cmdSpeichern, de ? QStringLiteral("Speichern") : QStringLiteral("Save"));
    f.setText(Werte::cmdLoeschen, de ? QStringLiteral("Löschen") : QStringLiteral("Delete"));
    f.setText(Werte::cmdInfo, QStringLiteral("Info"));
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
