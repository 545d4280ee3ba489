#include "TableSession.h"

#include "InspectionRules.h"
#include "TextAlign.h"
#include "ValueFormat.h"
#include "WerteForm.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <algorithm>
#include <cmath>

namespace Main = ctl::frmTransfer;

namespace table {

QColor TableSession::ZelleFaerben(int row) const
{
    const shell::AppState& st = m_st;
    const MessRow& m = Messdaten.at(view(), row);
    if (st.limits.E8020 && st.rule.kind != shell::RuleKind::Iso19840) {
        switch (ruleMark(row)) {
        case Mark::Ok:
            return st.edition.farbeGruen;
        case Mark::Band:
            return st.edition.farbeOrange;
        case Mark::Out:
            return st.edition.farbeRot;
        case Mark::None:
            break;
        }
        return {};
    }
    double v = m.wert;
    if (st.absolut)
        v = std::fabs(v);
    v -= roughnessCorrection(st, m.einheit);
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

Mark TableSession::ruleMark(int row) const
{
    const shell::AppState& st = m_st;
    const int v = view();
    if (st.rule.kind == shell::RuleKind::ImoPspc)
        return mark9010(ruleValue(st, Messdaten.at(v, row).wert), st.limits.Esoll, st.limits.Emax);
    // SSPC-PA 2: every reading shows the verdict of its spot, once the spot is complete.
    const int size = std::clamp(st.rule.spotSize, 1, shell::InspectionRule::kMaxSpot);
    double spot[shell::InspectionRule::kMaxSpot];
    int taken = 0;
    for (int r = (row - 1) / size * size + 1; taken < size && r <= MessdatenStore::kRows; ++r, ++taken) {
        const MessRow& m = Messdaten.at(v, r);
        if (m.isEmpty())
            break;
        spot[taken] = ruleValue(st, m.wert);
    }
    return markSpot(std::span<const double>(spot, size_t(taken)), st.limits, st.rule);
}

void TableSession::spotFaerben(int row)
{
    const shell::AppState& st = m_st;
    if (!st.limits.E8020 || st.rule.kind != shell::RuleKind::SspcPa2 || st.rule.spotSize < 1 ||
        row % st.rule.spotSize != 0)
        return;
    // The row completed its spot: the spot's earlier rows get its colour too (rows the user marked stay marked).
    const QColor colour = ZelleFaerben(row);
    for (int r = row - st.rule.spotSize + 1; r < row; ++r) {
        int g = r;
        if (g >= m_grid.Rows() || m_grid.tag(g) != r) { // the grid was sorted
            g = 1;
            while (g < m_grid.Rows() && m_grid.tag(g) != r)
                ++g;
        }
        if (g >= m_grid.Rows() || m_grid.back(g, 1) == st.edition.farbeGrau)
            continue;
        for (int c = 0; c < m_grid.Cols(); ++c)
            m_grid.setBack(g, c, colour);
    }
}

void TableSession::auswerten8020(Statistik& s, double v, int n) const
{
    const shell::AppState& st = m_st;
    // The roughness correction applies to the evaluation only; the figures stay as measured.
    const double c = roughnessCorrection(st, s.statEinheit);
    add8020(s, v - c, s.mean - c, n, st.limits);
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
