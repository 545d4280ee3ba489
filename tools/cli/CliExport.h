#pragma once

#include "ExportOptions.h"

#include "export/OutputResult.h"

#include <QByteArray>
#include <QString>

namespace session {
class TransferSession;
}

// varnotek-cli export: loads a .mes file into the chosen view as "Datei öffnen" does, with the limits and project
// data of the data folders, and writes what the clipboard, print, word-processor or spreadsheet command makes of
// it. Needs a QGuiApplication (fonts).
class CliExport
{
public:
    CliExport(session::TransferSession& session, const ExportOptions& options);

    // Runs after the program's start-up; returns the exit status.
    int run();

    // A file the program can take as a measurement file: text with a table date line or a data line.
    static bool isMeasurementFile(const QString& text, const QString& materialMode);

    // Writes the table shown as the options say (history export uses it for a series opened from the archive).
    reports::OutputResult write();

private:
    int load();
    reports::OutputResult save(const QByteArray& bytes) const;
    void err(const QString& line) const;

    session::TransferSession& m_session;
    ExportOptions m_options;
    bool m_dropped = false; // rows were refused or left out
};
