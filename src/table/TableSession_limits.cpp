#include "TableSession.h"

#include "TextAlign.h"
#include "ValueFormat.h"
#include "WerteForm.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <cmath>

namespace table {

QColor TableSession::ZelleFaerben(int row) const
{
    const shell::AppState& st = m_st;
    double v = Messdaten.at(view(), row).wert;
    if (st.absolut)
        v = std::fabs(v);
    QColor colour;
    if (st.Emin != 0 || st.Emax != 0) {
        if (v != 0 && v > st.Emax)
            colour = st.farbeRot;
        else
            colour = v >= st.Emin ? st.farbeGruen : st.farbeRot;
    }
    if (st.E8020 && st.Esoll - st.Esoll * 20 / 100 <= v && v < st.Esoll)
        colour = st.farbeOrange;
    return colour;
}

void TableSession::auswerten8020(double v, int n)
{
    const shell::AppState& st = m_st;
    FehlerMittel8020 = mean < st.Esoll;
    if (st.Emin >= 0 && v < st.Emin)
        Fehler8020 = true;
    if (st.Emax >= 0 && v > st.Emax)
        Fehler8020 = true;
    if (st.Esoll - st.Esoll * 20 / 100 <= v && v < st.Esoll)
        ++Anz8020;
    Prozent8020 = static_cast<double>(Anz8020) / n * 100;
    FehlerProzent8020 = Prozent8020 > 20;
    Text8020 = st.msg(Fehler8020 || FehlerProzent8020 || FehlerMittel8020 ? 59 : 58);
}

void TableSession::GrenzwerteAnzeigen()
{
    shell::AppState& st = m_st;
    const QString name = QStringLiteral("cmdWerte");
    if (st.Emin == 0 && st.Emax == 0 && st.Esoll == 0) {
        st.main().setText(name, st.msg(39));
        return;
    }
    const int decimals =
        GetDecimalsInt(st.Emin) != 0 || GetDecimalsInt(st.Emax) != 0 || GetDecimalsInt(st.Esoll) != 0 ? 1 : 0;
    const QString crlf = QStringLiteral("\r\n");
    st.main().setText(name, QLatin1Char('>') + Ausrichten(7, formatFixed(st.Emin, decimals)) + crlf +
                                QLatin1Char('<') + Ausrichten(7, formatFixed(st.Emax, decimals)) + crlf +
                                QLatin1Char('=') + Ausrichten(7, formatFixed(st.Esoll, decimals)));
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
