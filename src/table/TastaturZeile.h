#pragma once

#include <QString>

namespace table {

// One online row as the table shows it, the texts keystroke forwarding may type.
struct TastaturZeile {
    int nr = 0;
    QString datum;
    QString wertText; // the value exactly as in the table, 11 characters
    QString einheit;  // 4 characters, padding included
    QString material;
};

} // namespace table
