#pragma once

#include "table/MessdatenStore.h"

#include <QChar>
#include <QString>

#include <vector>

namespace reports {

// The report's data lines of one view, kept between reports. Online mode rewrites the whole table to Online.mes
// after every value; formatting thousands of unchanged rows each time would fall behind the line. Rows are compared
// with what was formatted, so any change of the store (a deleted row, a loaded file) is seen.
class DataLineCache
{
public:
    // The data lines of rows 1 up to the first empty row, each ended by CR LF.
    const QString& lines(const table::MessdatenStore& store, int view);

private:
    int m_view = -1;
    QChar m_decimalPoint;
    std::vector<table::MessRow> m_rows;
    std::vector<qsizetype> m_ends; // where the line of each row ends in m_text
    QString m_text;
};

} // namespace reports
