#pragma once

#include <QString>

namespace shell {

struct AppState;

// The display name of a view's memory by the instrument's memory mode: "FE-Speicher", "Speicher1", "Scan " ...;
// "Online" for the online view. Read by the memory read and the table's option captions and statistics.
QString memoryName(const AppState& st, int view);

} // namespace shell
