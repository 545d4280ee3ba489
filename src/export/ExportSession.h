#pragma once

#include "InspectionReport.h"
#include "MesReader.h"
#include "OutputResult.h"
#include "SpreadsheetExport.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace shell {
struct AppState;
}
namespace table {
class TableSession;
}

namespace reports {

class DataLineCache;
class ProjektDialog;

// Files and reports of the main window: the text report, saving and loading .mes files, the project dialog, and
// the report passed on to the clipboard, the printer, the word processor and the spreadsheet program.
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
    // The same of a view that need not be shown (an online run that goes on in the background).
    const QString& BuildReport(const QString& kind, int view);
    QString reportText;

    // The folder of the user's .mes files (created when missing) and the online file.
    QString mesFolder() const;
    QString onlineFile() const;
    // Where documents for the word processor and the spreadsheet program are written (made when missing).
    QString documentsFolder() const;

    // Saves the current table: with onlineFileSaved False silently to Online.mes, else where the user says.
    void cmdSave_Click();
    // Writes the online view to Online.mes, whichever view is shown; after each online value and each change of
    // the online rows.
    void saveOnline();
    // Replaces the current table with the rows of a file the user picks.
    void cmdOpen_Click();
    void cmdProjekt_Click();

    // The outputs of the current table (ExportSession_outputs.cpp). The clipboard and the printer ignore their
    // errors; the word processor and the spreadsheet show a failure and log it.
    void cmdClipboard_Click();
    void cmdprint_Click();
    void cmdWord_Click();
    void cmdExcel_Click();

    // The inspection report of the current table: asks where to save it (a name from the table, the first project
    // field and the date, in the "Berichte"/"Reports" folder), writes the PDF and opens it (ExportSession_report.cpp).
    void cmdBericht_Click();
    // The report's content for the shown view, in the program's language.
    InspectionReport::Content inspectionReport();
    // Writes it as a PDF (A4, Letter where the user's locale measures in inches); a failure leaves an existing file.
    OutputResult writeInspectionReport(const QString& path, int* pages = nullptr);
    QString reportsFolder() const;
    QString reportFileName();

    // What those commands produce, on a device or in a file the caller chooses (the command-line tool).
    OutputResult printTo(QPagedPaintDevice& device);
    OutputResult writeDocument(const QString& path);
    OutputResult writeWorkbook(const QString& path, bool withChart);
    // The workbook's content: BuildReport("P"), the statistics of the view shown, limits, grid headings, rows.
    SpreadsheetInput spreadsheetInput(bool withChart);
    // False when the view mixes units: no statistics, no chart, no chart question.
    bool statisticsPossible() const;

    // The save dialog's answer as a target path: "" when cancelled, ".mes" appended unless the name holds it.
    static QString targetName(const QString& answer, const QString& folder);

    // Writes the whole report of the shown view to path; a failure is shown and logged.
    bool saveTo(const QString& path);
    // Loads a file into the current table; false (with a message, the table unchanged) when it cannot be read.
    bool loadFrom(const QString& path);
    // The rows of a file read into the current table, which they replace; fileName goes into the option caption.
    void loadRows(const MesReader::Result& file, const QString& fileName);

signals:
    // A file the user opened is in the view; the view was saved to a file (not Online.mes).
    void fileLoaded(int view, const QString& path);
    void fileSaved(int view, const QString& path);

private:
    void reportFailure(const QString& text);
    // Writes the report of view to path; a failure of the online file is told once until a rewrite succeeds.
    bool write(const QString& path, int view, bool online);
    // Writes a document for the desktop into the run's folder and opens it; the failure's description, or "".
    QString handOver(const QString& extension, const std::function<OutputResult(const QString&)>& write);
    void reportOpenFailure(const QString& prefix, const QString& description);

    shell::AppState& m_st;
    table::TableSession* m_table;
    ProjektDialog* m_projekt;
    bool m_onlineFailureShown = false;
    std::unique_ptr<DataLineCache[]> m_lines; // one per view
};

} // namespace reports
