#pragma once

#include <QString>
#include <QStringList>

namespace shell {
struct AppState;
}
namespace table {
class TableSession;
struct MessRow;
} // namespace table

namespace reports {

class DataLineCache;

// What the report says of the view it is made of beyond its rows: the statistics lines as the list shows them, the
// unit of the limits and the date of the column heading.
struct ReportView {
    int view = 0;
    QStringList statLines;
    QString statEinheit;
    QString datum;
};

// The text report of the current table; it is also the content of a .mes file. Lines end with CR LF.
class ReportBuilder
{
public:
    // kind "A": the whole report; "P": project block, table name and statistics heading only. Made of its inputs
    // alone (the rows, the view's statistics, the limits, the project fields, the texts): it reads no file.
    // With a cache, data lines formatted for an earlier report are taken over when their rows are unchanged.
    static QString build(shell::AppState& st, const table::TableSession& table, const ReportView& of,
                         const QString& kind, DataLineCache* cache = nullptr);

    // Project lines and their closing empty line; empty when all six fields are empty.
    static QString projectBlock(shell::AppState& st);

    // One fixed-column data line without its line end: time (8), 6 blanks, number (5), blank, value (11), blank,
    // unit (4), blank, material. MesReader reads it back to the same row.
    static QString dataLine(const table::MessRow& row);
    // The value column: formatted for the unit, or in full where the shown value would end the table.
    static QString valueText(const table::MessRow& row);
};

} // namespace reports
