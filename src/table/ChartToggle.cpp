#include "ChartToggle.h"

#include "TableSession.h"
#include "chart/ChartBuilder.h"
#include "shell/AppState.h"

namespace Main = ctl::frmTransfer;

namespace table {

using chart::ChartBuilder;

ChartToggle::ChartToggle(shell::AppState& st, TableSession& table, QObject* parent)
    : QObject(parent), m_st(st), m_table(table)
{
}

bool ChartToggle::shown() const
{
    return m_st.main().isVisible(Main::MSChart1);
}

bool ChartToggle::follows(int view) const
{
    // A chart of a memory view still showing when online values begin gives way to the list as before.
    return view == 2 && m_view == 2 && shown();
}

void ChartToggle::setTexts(chart::ChartInput& in) const
{
    in.meanLabel = m_st.stat(shell::Stat::Mean);
    in.dataLegend = m_st.stat(shell::Stat::DataLegend);
    in.targetLabel = m_st.stat(shell::Stat::Target);
    in.chartTypeCaption = m_st.stat(shell::Stat::LineBar);
}

chart::ChartInput ChartToggle::currentInput() const
{
    chart::ChartInput in;
    const int v = m_st.view();
    if (v >= 0) {
        // The chart ends at the first row without a number, which may come before the table's own end.
        in.rows.reserve(m_table.Messdaten.rowCount(v));
        for (int r = 1; r <= MessdatenStore::kRows; ++r) {
            const MessRow& row = m_table.Messdaten.at(v, r);
            if (row.nr == 0)
                break;
            in.rows.append({row.nr, row.wert, row.einheit});
        }
    }
    const Statistik& s = m_table.statistik();
    in.absolut = m_st.absolut;
    in.Emin = m_st.limits.Emin;
    in.Emax = m_st.limits.Emax;
    in.Esoll = m_st.limits.Esoll;
    in.min = s.min;
    in.max = s.max;
    in.minabs = s.minabs;
    in.maxabs = s.maxabs;
    in.anz_min = s.anz_min;
    in.anz_max = s.anz_max;
    in.anz_mean = s.anz_mean;
    in.einheitenGemischt = s.einheitenGemischt;
    setTexts(in);
    return in;
}

chart::ChartInput ChartToggle::largeInput() const
{
    chart::ChartInput in = m_input;
    setTexts(in);
    return in;
}

void ChartToggle::cmdChart_Click()
{
    shell::FormState& f = m_st.main();
    if (shown()) {
        f.setVisible(Main::MSChart1, false);
        f.setVisible(Main::lstStat, true);
        f.setText(Main::cmdChart, QStringLiteral("Chart"));
        f.setVisible(Main::cmdGross, false);
        f.setVisible(Main::txtMittelwert, false);
        return;
    }
    const chart::ChartInput in = currentInput();
    // With no rows there is no chart array to build, so an empty table is treated like mixed units: the list stays.
    if (ChartBuilder::check(in) != ChartBuilder::Status::Ok)
        return;
    f.setVisible(Main::MSChart1, true);
    f.setVisible(Main::lstStat, false);
    f.setText(Main::cmdChart, QStringLiteral("Stat"));
    f.setVisible(Main::cmdGross, true);
    f.setVisible(Main::txtMittelwert, true);
    f.setForeColor(Main::txtMittelwert, QColor(0, 0, 0));
    show(in);
}

void ChartToggle::redraw()
{
    if (!shown())
        return;
    const chart::ChartInput in = currentInput();
    if (ChartBuilder::check(in) == ChartBuilder::Status::Ok)
        show(in);
}

void ChartToggle::rowAppended(int view, int /*row*/)
{
    if (follows(view))
        emit valueAdded();
}

void ChartToggle::show(const chart::ChartInput& in)
{
    m_view = m_st.view();
    m_input = in;
    m_data = chart::ChartData(in);
    // The statistics unit is the chart's first row's unit while the chart is shown.
    m_table.m_stat.statEinheit = m_data.einheit();
    m_st.main().setText(Main::txtMittelwert, ChartBuilder::mittelwertText(in));
    emit chartChanged();
}

} // namespace table
