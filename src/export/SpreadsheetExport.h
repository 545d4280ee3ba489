#pragma once

#include "OutputResult.h"

#include <QString>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace reports {

// Everything the workbook shows, gathered by the caller from the table, the statistics, the limits and the
// language texts.
struct SpreadsheetInput {
    QString headingReport;          // project block, table name line and statistics heading, CR LF lines
    bool statisticsPossible = true; // false when the units are mixed: no figures, no chart
    int statZaehler = 0;
    double min = 0, max = 0, mean = 0, minabs = 0, maxabs = 0, meanabs = 0, stdabw = 0;
    bool absolut = false;
    QString statEinheit;
    QString Text8020;
    // Under another rule than 80/20 its verdict row takes the 80/20 row's place (label and verdict above), with its
    // figure in column C; the rule's further rows (label, text) follow it.
    QString ruleFigure;
    std::vector<std::pair<QString, QString>> ruleRows;
    int aktZeile = 0;
    QString firstStatLine; // first line of the statistics list: the chart's title
    double Emin = 0, Emax = 0, Esoll = 0;
    std::array<QString, 4> headings; // the grid's heading texts of columns 0 to 3
    QString materialMode;
    struct Row {
        QString zeit;
        int nr = 0;
        double wert = 0;
        QString einheit;
        QString material;
    };
    // Rows 1.. of the current table. At most aktZeile rows are written, and none from the first row whose
    // value and number are both 0.
    std::vector<Row> rows;
    // Language texts from the program's text tables.
    QString sheetName, countLabel, minLabel, maxLabel, meanLabel, devLabel, rule8020Label, targetLabel;
    QStringList mixedUnitLines; // the three lines shown instead of the figures
    bool withChart = false;
};

// The table as an .xlsx workbook: the report heading, the statistics block, the rows with unit-dependent number
// formats, and on request a line chart of the values with mean, limit and target lines on a chart sheet "Chart".
// Every cell is "Lucida Console", bold, 10 pt.
//
// The chart's constant lines need cell ranges; their lists go on a hidden sheet "ChartData", so the table sheet
// holds only the table, and a spreadsheet program that leaves out hidden rows and columns still draws them.
class SpreadsheetExport
{
public:
    static const QString kChartSheet; // "Chart"
    static const QString kDataSheet;  // "ChartData"

    // Writes the workbook to path; an existing file is replaced only when the new one is complete. Numbers are
    // written with "." whatever the C library's locale is.
    static OutputResult write(const SpreadsheetInput& in, const QString& path);

    // The name of a cell from its 1-based row and column: (1, 1) "A1", (5, 27) "AA5"; two letters at most.
    static QString CellAddress(int row, int column);

    // Halves to the even neighbour, judged on the value as it reads to 15 significant digits.
    static double round2(double value);
};

} // namespace reports
