#pragma once

#include <QString>

namespace reports {

// What an output writer hands back: ok, or the reason it failed (the library's or the system's text).
struct OutputResult {
    bool ok = true;
    QString error;

    static OutputResult failure(const QString& reason) { return {false, reason}; }
};

} // namespace reports
