#pragma once

#include <QString>

namespace reports::MesFile {

struct Result {
    bool ok = true;
    QString error; // the system's description when !ok
};

// Replaces the file with the text in Windows-1252. The text goes to a temporary file beside the target first,
// which then takes the target's place: a failure at any point leaves the previous file whole.
Result write(const QString& path, const QString& text);

// The whole file decoded from Windows-1252.
Result read(const QString& path, QString& text);

} // namespace reports::MesFile
