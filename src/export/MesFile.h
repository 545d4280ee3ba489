#pragma once

#include <QString>

namespace reports::MesFile {

struct Result {
    bool ok = true;
    QString error; // the system's description when !ok
};

// Replaces the file with the text in Windows-1252, as shell::TextFile::replaceFile does: a failure at any point
// leaves the previous file whole.
Result write(const QString& path, const QString& text);

// A file of 5000 rows takes about 300 KB: a measurement file is never read beyond this.
constexpr qint64 kMaxBytes = 1024 * 1024;

// The whole file decoded from Windows-1252; only a regular file of at most kMaxBytes (shell::TextFile::readBytes).
Result read(const QString& path, QString& text);

} // namespace reports::MesFile
