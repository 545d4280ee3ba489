#include "frmTransfer.h"
#include "shell/Controls.h"

#include "LiveChartUpdate.h"
#include "MainChart.h"
#include "chart/ChartBuilder.h"
#include "frmChartG.h"
#include "table/ChartToggle.h"
#include "table/TableSession.h"

#include <QAbstractButton>
#include <QChartView>

namespace Main = ctl::frmTransfer;

namespace ui {

void frmTransfer::wireChart()
{
    table::ChartToggle* toggle = &m_table->chart();
    auto* mainChart = new MainChart(findChild<QChartView*>(Main::MSChart1), this);
    auto* live = new LiveChartUpdate(this);

    connect(toggle, &table::ChartToggle::chartChanged, mainChart,
            [toggle, mainChart] { mainChart->show(chart::ChartBuilder::mainChart(toggle->input(), toggle->data())); });
    // Online values are drawn at most once per interval, each time with everything that arrived meanwhile.
    connect(toggle, &table::ChartToggle::valueAdded, live, &LiveChartUpdate::valueAdded);
    connect(live, &LiveChartUpdate::redrawDue, toggle, &table::ChartToggle::redraw);

    auto btn = [this](const QString& name) { return findChild<QAbstractButton*>(name); };
    connect(btn(Main::cmdChart), &QAbstractButton::clicked, toggle, [toggle, live] {
        toggle->cmdChart_Click();
        // Back to the list: a waiting redraw is dropped (redraw() also ignores a hidden chart).
        if (!toggle->shown())
            live->cancel();
    });
    connect(btn(Main::cmdGross), &QAbstractButton::clicked, this, [this, toggle, live] {
        // The large window shows the newest values, not those of the last paced redraw.
        live->flush();
        frmChartG g(*m_st.dialogs, this);
        g.setData(toggle->largeInput(), m_st.sprache(), m_st.msg(shell::Msg::ProgramTitle), m_st.edition.MessDataPath);
        // An online run goes on behind the modal window: it is redrawn with the main chart, at the same pace.
        connect(toggle, &table::ChartToggle::chartChanged, &g, [&g, toggle] { g.follow(toggle->largeInput()); });
        g.exec();
    });
}

} // namespace ui
