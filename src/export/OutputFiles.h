#pragma once

#include <QDateTime>
#include <QString>

// Documents handed to the desktop's word processor and spreadsheet program are written into a folder of the user's
// own that the program never cleans up: the user edits them there and saves them in place, and they outlive the run.
namespace reports::OutputFiles {

// A text made safe for a file name: trimmed, at most 100 characters, characters that are not allowed or not safe in
// file names replaced by "_".
QString safe(const QString& text);

// "Messwerte_<table name>_<yyyy-MM-dd_HHmmss>.<extension>", with characters that are not allowed or not safe
// in file names replaced by "_".
QString fileName(const QString& tableName, const QDateTime& when, const QString& extension);

// A new file in folder (made when missing) for the table, named as above for now; "_2", "_3" ... are added before
// the extension while such a file exists (two exports within one second). Empty, with the reason in error, when
// the folder cannot be made.
QString newPath(const QString& folder, const QString& tableName, const QString& extension, QString* error = nullptr);

} // namespace reports::OutputFiles
