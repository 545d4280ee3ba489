#include "TableSession.h"

#include "Rule8020.h"
#include "TextAlign.h"
#include "ValueFormat.h"
#include "WerteForm.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <cmath>

namespace Main = ctl::frmTransfer;

namespace table {

QColor TableSession::ZelleFaerben(int row) const
{
    const shell::AppState& st = m_st;
    double v = Messdaten.at(view(), row).wert;
    if (st.absolut)
        v = std::fabs(v);
    QColor colour;
    if (st.limits.Emin != 0 || st.limits.Emax != 0) {
        if (v != 0 && v > st.limits.Emax)
            colour = st.edition.farbeRot;
        else
            colour = v >= st.limits.Emin ? st.edition.farbeGruen : st.edition.farbeRot;
    }
    if (st.limits.E8020 && minimum8020(st.limits.Esoll) <= v && v < st.limits.Esoll)
        colour = st.edition.farbeOrange;
    return colour;
}

void TableSession::auswerten8020(Statistik& s, double v, int n) const
{
    const shell::AppState& st = m_st;
    s.FehlerMittel8020 = s.mean < st.limits.Esoll;
    if (st.limits.Emin >= 0 && v < st.limits.Emin)
        s.Fehler8020 = true;
    if (st.limits.Emax >= 0 && v > st.limits.Emax)
        s.Fehler8020 = true;
    if (minimum8020(st.limits.Esoll) <= v && v < st.limits.Esoll)
        ++s.Anz8020;
    s.Prozent8020 = static_cast<double>(s.Anz8020) / n * 100;
    s.FehlerProzent8020 = s.Prozent8020 > 20;
    s.Text8020 = st.msg(s.Fehler8020 || s.FehlerProzent8020 || s.FehlerMittel8020 ? shell::Msg::No : shell::Msg::Yes);
}

void TableSession::GrenzwerteAnzeigen()
{
    shell::AppState& st = m_st;
    const QString name = Main::cmdWerte;
    if (st.limits.Emin == 0 && st.limits.Emax == 0 && st.limits.Esoll == 0) {
        st.main().setText(name, st.msg(shell::Msg::Limits));
        return;
    }
    const int decimals = GetDecimalsInt(st.limits.Emin) != 0 || GetDecimalsInt(st.limits.Emax) != 0 ||
                                 GetDecimalsInt(st.limits.Esoll) != 0
                             ? 1
                             : 0;
    const QString crlf = QStringLiteral("\r\n");
    st.main().setText(name, QLatin1Char('>') + Ausrichten(7, formatFixed(st.limits.Emin, decimals)) + crlf +
                                QLatin1Char('<') + Ausrichten(7, formatFixed(st.limits.Emax, decimals)) + crlf +
                                QLatin1Char('=') + Ausrichten(7, formatFixed(st.limits.Esoll, decimals)));
}

void TableSession::cmdWerte_Click()
{
    m_werte->wertechanged = false;
    emit showWerte();
}

void TableSession::cmdWerte_LostFocus()
{
    if (m_werte->wertechanged) {
        AnsichtAktualisieren();
        shell::Settings::Voreinstellungen(m_st, QStringLiteral("LS"));
    }
    GrenzwerteAnzeigen();
}

} // namespace table
