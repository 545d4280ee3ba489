#include "MessdatenStore.h"

#include <algorithm>

namespace table {

MessdatenStore::MessdatenStore() : m_rows(static_cast<size_t>(kViews) * (kRows + 1))
{
    // Every view starts as a cleared one.
    const QString blank(QLatin1Char(' '));
    for (int v = 0; v < kViews; ++v)
        for (int r = 1; r <= kRows; ++r) {
            MessRow& row = m_rows[static_cast<size_t>(v) * (kRows + 1) + r];
            row.datum = row.zeit = row.einheit = blank;
        }
}

MessRow& MessdatenStore::at(int view, int row)
{
    static MessRow scratch; // out-of-range access lands here, never in another view
    if (!valid(view, row))
        return scratch = MessRow{};
    m_written[view] = std::max(m_written[view], row);
    return m_rows[static_cast<size_t>(view) * (kRows + 1) + row];
}

const MessRow& MessdatenStore::at(int view, int row) const
{
    static const MessRow none;
    if (!valid(view, row))
        return none;
    return m_rows[static_cast<size_t>(view) * (kRows + 1) + row];
}

void MessdatenStore::MessdatenLoeschen(int view)
{
    if (view < 0 || view >= kViews)
        return;
    // Rows above the highest one handed out for writing are still as the last clearing left them.
    const QString blank(QLatin1Char(' '));
    for (int r = 1; r <= m_written[view]; ++r) {
        MessRow& row = m_rows[static_cast<size_t>(view) * (kRows + 1) + r];
        row.datum = blank;
        row.zeit = blank;
        row.einheit = blank;
        row.nr = 0;
        row.wert = 0;
    }
    m_written[view] = 0;
}

int MessdatenStore::rowCount(int view) const
{
    if (view < 0 || view >= kViews)
        return 0;
    int n = 0;
    while (n < kRows && !at(view, n + 1).isEmpty())
        ++n;
    return n;
}

} // namespace table
