#pragma once

#include "MesReader.h"

#include <QObject>
#include <QString>

namespace shell {
struct AppState;
}
namespace table {
class TableSession;
}

namespace reports {

class ProjektDialog;

// Files and reports of the main window: the text report, saving and loading .mes files, the project dialog.
// Works on AppState and the table session; never on widgets.
class ExportSession : public QObject
{
    Q_OBJECT
public:
    static const QString kFilter; // "Messdaten (*.mes)"

    // table may be null while no table is attached; the file commands then do nothing.
    ExportSession(shell::AppState& st, table::TableSession* table, QObject* parent = nullptr);
    ~ExportSession() override;

    ProjektDialog& projekt() { return *m_projekt; }

    // Fills reportText with the report of the current table: kind "A" the whole report, "P" its heading.
    const QString& BuildReport(const QString& kind);
    QString reportText;

    // The folder of the user's .mes files (created when missing) and the online file.
    QString mesFolder() const;
    QString onlineFile() const;

    // Saves the current table: with onlineFileSaved False silently to Online.mes, else where the user says.
    void cmdSave_Click();
    // Replaces the current table with the rows of a file the user picks.
    void cmdOpen_Click();
    void cmdProjekt_Click();

    // The save dialog's answer as a target path: "" when cancelled, ".mes" appended unless the name holds it.
    static QString targetName(const QString& answer, const QString& folder);

    // Writes the whole report to path; a failure is shown and logged (once per failing run for the online file).
    bool saveTo(const QString& path, bool online = false);
    // Loads a file into the current table; false (with a message, the table unchanged) when it cannot be read.
    bool loadFrom(const QString& path);
    // The rows of a file read into the current table, which they replace; fileName goes into the option caption.
    void loadRows(const MesReader::Result& file, const QString& fileName);

private:
    void reportFailure(const QString& text);

    shell::AppState& m_st;
    table::TableSession* m_table;
    ProjektDialog* m_projekt;
    bool m_onlineFailureShown = false;
};

} // namespace reports
