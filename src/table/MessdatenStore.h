#pragma once

#include <QString>

#include <vector>

namespace table {

// One measured value of the table.
struct MessRow {
    QString datum; // "dd.mm.yyyy"
    QString zeit;  // "hh:nn:ss"
    qint16 nr = 0;
    double wert = 0;
    QString einheit;  // 4 characters, e.g. "µm  "
    QString material; // " Fe", "NFe", up to 3 characters from the record, or empty

    // A row with value 0 and number 0 ends its view.
    bool isEmpty() const { return wert == 0 && nr == 0; }
};

// The measurement store Messdaten: three views (0 memory 1, 1 memory 2, 2 online), rows 0 to 5000 each.
// Row 0 holds only the table date.
class MessdatenStore
{
public:
    static constexpr int kViews = 3;
    static constexpr int kRows = 5000;

    MessdatenStore();

    static bool valid(int view, int row) { return view >= 0 && view < kViews && row >= 0 && row <= kRows; }
    MessRow& at(int view, int row);
    const MessRow& at(int view, int row) const;

    // Rows 1 to 5000 of a view: datum, zeit, einheit " ", nr and wert 0; materials and row 0 stay. A new store
    // is cleared so.
    void MessdatenLoeschen(int view);

    // Rows from 1 up to the first empty row.
    int rowCount(int view) const;

private:
    std::vector<MessRow> m_rows;
    int m_written[kViews] = {}; // per view the highest row handed out for writing since it was cleared
};

} // namespace table
