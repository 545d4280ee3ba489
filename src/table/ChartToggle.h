#pragma once

#include "chart/ChartData.h"
#include "chart/ChartInput.h"

#include <QObject>

namespace shell {
struct AppState;
}

namespace table {

class TableSession;

// The chart command of the main window: swaps the statistics list for the chart of the shown view and back, and
// keeps the chart array that the large chart window draws from. It sets the form state; the window draws.
class ChartToggle : public QObject
{
    Q_OBJECT
public:
    ChartToggle(shell::AppState& st, TableSession& table, QObject* parent = nullptr);

    // Shows the chart, or the statistics list again. Mixed units give no chart; a table without rows has nothing
    // to draw: in both cases nothing happens and the list stays.
    void cmdChart_Click();
    // Rebuilds the shown chart from the view as it is now (new online values).
    void redraw();
    // A row was appended to a view: online values are followed while the chart is shown.
    void rowAppended(int view, int row);

    // The chart is shown instead of the statistics list.
    bool shown() const;
    // The chart shown is that of the online view and follows the values appended to it.
    bool follows(int view) const;

    // What a chart of the shown view reads now: its rows, the statistics, the limits and the texts of the language
    // in use.
    chart::ChartInput currentInput() const;
    // The last chart shown: what it was built from and its chart array, kept until it is shown again.
    const chart::ChartInput& input() const { return m_input; }
    const chart::ChartData& data() const { return m_data; }
    int AnzahlWerte() const { return m_data.AnzahlWerte(); }
    // The last chart's input with the texts of the language in use, for the large window.
    chart::ChartInput largeInput() const;

signals:
    // The chart is to show input() and data().
    void chartChanged();
    // An online value arrived while the chart is shown: a redraw is due soon.
    void valueAdded();

private:
    void setTexts(chart::ChartInput& in) const;
    void show(const chart::ChartInput& in);

    shell::AppState& m_st;
    TableSession& m_table;
    int m_view = -1; // the view of the last chart shown
    chart::ChartInput m_input;
    chart::ChartData m_data;
};

} // namespace table
