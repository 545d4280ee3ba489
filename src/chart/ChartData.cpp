#include "ChartData.h"

#include <cmath>

namespace chart {

int ChartData::AnzahlWerte(const QList<ChartInput::Row>& rows)
{
    int n = 0;
    while (n < rows.size() && n < kMaxRows && rows.at(n).nr != 0)
        ++n;
    return n;
}

ChartData::ChartData(const ChartInput& in)
{
    const int n = AnzahlWerte(in.rows);
    const bool limits = in.Emin != 0.0 || in.Emax != 0.0;
    const bool target = in.Esoll != 0.0;

    QList<double> values;
    values.reserve(n);
    // All labels but the last are one shared blank string.
    const QString blank(QLatin1Char(' '));
    m_labels.reserve(n);
    for (int i = 0; i < n; ++i) {
        const ChartInput::Row& row = in.rows.at(i);
        if (m_einheit.isEmpty())
            m_einheit = row.einheit;
        values.append(in.absolut ? std::abs(row.wert) : row.wert);
        m_labels.append(i == n - 1 ? blank + QString::number(n) : blank);
    }

    m_columns.append(values);
    m_kinds.append(Column::Value);
    auto reference = [&](Column kind, double v) {
        m_columns.append(QList<double>(n, v));
        m_kinds.append(kind);
    };
    if (target)
        reference(Column::Target, in.Esoll);
    if (limits) {
        reference(Column::Minimum, in.Emin);
        reference(Column::Maximum, in.Emax);
    }
}

ChartData::Column ChartData::column(int j) const
{
    return j == 0 ? Column::Label : m_kinds.at(j - 1);
}

QVariant ChartData::at(int i, int j) const
{
    if (i < 1 || i > AnzahlWerte() || j < 0 || j > k())
        return {};
    if (j == 0)
        return m_labels.at(i - 1);
    return m_columns.at(j - 1).at(i - 1);
}

} // namespace chart
