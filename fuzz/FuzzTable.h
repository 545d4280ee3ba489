#pragma once

#include "export/ExportSession.h"
#include "export/MesReader.h"
#include "shell/AppState.h"
#include "table/TableSession.h"

#include <QString>

#include <tuple>
#include <vector>

namespace fuzz {

// A table and its export session as the program has them after start-up, without files: project data and the
// log are not read or written. Made once per fuzzer process.
class FuzzTable
{
public:
    using Row = std::tuple<QString, qint16, double, QString, QString>; // time, number, value, unit, material

    FuzzTable();

    // The table emptied, as loading a file without rows leaves it.
    void clear();
    // The report of memory 1 as a .mes file holds it (through its Windows-1252 bytes).
    QString save();
    // A file's text read into memory 1 as loading a file does.
    void load(const QString& text);
    // The rows the table shows.
    std::vector<Row> rows() const;

    shell::AppState st;
    table::TableSession table;
    reports::ExportSession exporter;
};

} // namespace fuzz
