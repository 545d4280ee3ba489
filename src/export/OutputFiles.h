#pragma once

#include <QDateTime>
#include <QString>

// Documents handed to the desktop's word processor and spreadsheet program are not saved by the program: they
// live in one temporary folder per run, which goes away when the program ends.
namespace reports::OutputFiles {

// The run's folder, made on first use; empty (with the reason in error) when it cannot be made.
QString folder(QString* error = nullptr);

// "Messwerte_<table name>_<yyyy-MM-dd_HHmmss>.<extension>", with characters that are not allowed or not safe
// in file names replaced by "_".
QString fileName(const QString& tableName, const QDateTime& when, const QString& extension);

// A new file in the run's folder for the table, named as above for now; "_2", "_3" ... are added before the
// extension while such a file exists (two exports within one second). Empty when the folder cannot be made.
QString newPath(const QString& tableName, const QString& extension, QString* error = nullptr);

} // namespace reports::OutputFiles
