#pragma once

#include "ChartInput.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace chart {

// The chart array: rows 1 to AnzahlWerte, column 0 the row labels, column 1 the values, columns 2 to k the
// reference lines (the same value in every row).
class ChartData
{
public:
    // What a column holds.
    enum class Column { Label, Value, Target, Minimum, Maximum };

    static constexpr int kMaxRows = 5000;

    // Rows from row 1 up to the first with nr 0, at most 5000.
    static int AnzahlWerte(const QList<ChartInput::Row>& rows);

    // No rows: one empty values column.
    ChartData() : ChartData(ChartInput()) {}
    explicit ChartData(const ChartInput& in);

    int AnzahlWerte() const { return m_labels.size(); }
    // The highest column index: 1 without limits and target, 2 with a target only, 3 with limits only, 4 with both.
    int k() const { return m_columns.size(); }
    Column column(int j) const;

    // Cell (row i from 1, column j from 0): a text in column 0, a number elsewhere.
    QVariant at(int i, int j) const;
    const QStringList& labels() const { return m_labels; }
    // Column j >= 1 as one list, row 1 first.
    const QList<double>& values(int j) const { return m_columns.at(j - 1); }
    // The first row's unit: statEinheit while the chart is shown.
    const QString& einheit() const { return m_einheit; }

private:
    QStringList m_labels;
    QList<QList<double>> m_columns; // columns 1..k
    QList<Column> m_kinds;          // kinds of columns 1..k
    QString m_einheit;
};

} // namespace chart
