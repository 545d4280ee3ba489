#pragma once

#include "shell/AppState.h"
#include "shell/Messwert.h"
#include "table/TableSession.h"

#include <optional>

namespace testsupport {

// A value as record decoding makes it, of a view (0, 1: the memories; 2: online). nr is the record's own number,
// by default the row it goes to; online values take the table's counter.
struct Value {
    double wert = 0;
    std::optional<int> nr = std::nullopt;
    QString einheit = "µm  ";
    QString material = " Fe";
    QString zeit = "10:00:00";
    int view = 0;
};

// Hands the value to the table as the link hands over a decoded record (stamped today), with its view shown as
// during a read or an online run.
inline void take(shell::AppState& st, table::TableSession& t, const Value& v)
{
    st.messart = shell::messartOfView(v.view);
    shell::Messwert m;
    if (v.view != 2)
        m.nr = static_cast<qint16>(v.nr.value_or(t.aktZeile));
    m.wert = v.wert;
    m.einheit = v.einheit;
    m.material = v.material;
    m.datum = st.heuteDatum;
    m.zeit = v.zeit;
    m.view = v.view;
    t.take(m);
}

} // namespace testsupport
