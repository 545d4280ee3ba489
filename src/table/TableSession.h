#pragma once

#include "FlexGridModel.h"
#include "MessdatenStore.h"
#include "Statistik.h"

#include "shell/Messart.h"
#include "shell/Messwert.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace shell {
struct AppState;
}

namespace table {

class ChartToggle;
class WerteForm;

// The measurement table of the main window: store, grid, statistics, limits colouring and the 80/20 rule.
// Works on AppState (messart, absolut, limits, texts) and on FormState; never on widgets. It takes the decoded
// records of the instrument link through FillMessdaten.
class TableSession : public QObject
{
    Q_OBJECT
public:
    explicit TableSession(shell::AppState& st, QObject* parent = nullptr);
    ~TableSession() override;

    FlexGridModel& grid() { return m_grid; }
    WerteForm& werte() { return *m_werte; }
    ChartToggle& chart() { return *m_chart; }
    const Statistik& statistik() const { return m_stat; }

    // Every decoded record enters the table here, in the order it arrived. It is appended at once, unless an
    // append or a table command is under way: the nested event loop of a question, a file dialog or a wait can
    // deliver a record then, and it waits its turn until that is over.
    void take(const shell::Messwert& m);
    // Held by every table command (delete, sort, clear, open, rebuild, save, outputs) from the user's click to its
    // last write, so the command acts on the table as it was when given. Records arriving meanwhile are appended
    // when the last command ends.
    class Command
    {
    public:
        explicit Command(TableSession& table) : m_table(table) { ++m_table.m_commands; }
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        TableSession& m_table;
    };
    // Records waiting for their turn.
    int pending() const { return static_cast<int>(m_pending.size()); }

    // Stores a decoded record at the row cursor of its view (onlineNr for online values, which also take it as
    // their number) and appends it unless value and number are both 0; then the cursor advances. An online value
    // while another view is shown is stored, counted, typed and saved without touching the shown table.
    void FillMessdaten(const shell::Messwert& m);

    // A memory transfer into view begins: statistics reset, grid laid out empty, the view's rows cleared.
    void prepareTransfer(int view);
    // Showing a memory view as its option button does.
    void showView(int view);
    // The one writer of messart: the view in use and the kind of the current transfer.
    void setMessart(shell::Messart m);
    // Online mode starts: the online view with fresh statistics.
    void showOnlineView();
    // Without a gauge: the commands that work on a table, when one of the views holds rows, else only opening.
    void enableAvailableCommands();
    // A file's rows replace those of the shown view (at most 5000), which is then rebuilt; a row without material
    // keeps the one it had. caption names the file in the memory views' option, with the file's row count.
    struct FileRow {
        QString zeit;
        qint16 nr = 0;
        double wert = 0;
        QString einheit;
        std::optional<QString> material;
    };
    void loadFile(const std::optional<QString>& datum, const std::vector<FileRow>& rows, const QString& caption);

    // The statistics lines of a view as the list would show them, worked out from its rows (a view not shown).
    QStringList statistikZeilen(int view) const;
    // The unit the statistics of a view are in: that of its first row.
    QString statEinheitOf(int view) const;

    // Table.
    void TabelleFormatieren();
    void ZeileAnhaengen();
    void TabelleAufbauen();
    void MessdatenLoeschen() { Messdaten.MessdatenLoeschen(view()); }
    void MessdatenLoeschen(int view) { Messdaten.MessdatenLoeschen(view); }
    void LetzteZeileZeigen();
    void AnsichtAktualisieren();
    void optFE_Click() { showMemoryView(0); }
    void optNFE_Click() { showMemoryView(1); }
    void MSFlex_Click(int row); // marks or unmarks a grid row
    void cmdFlexZeileLoeschen_Click();
    void cmdFlexTabelleloeschen_Click();
    void cmdSort_Click();
    void cmdAbs_Click();

    // The count in the option captions.
    void updateOptionCaption();
    // After a language switch: the option captions get the names in the new language and keep their counts.
    void relabelOptions();

    // Statistics.
    void StatistikZuruecksetzen();
    void StatistikBerechnen() { berechnen(true); }

    // Limits.
    QColor ZelleFaerben(int row) const; // invalid: the cell keeps its colour
    void GrenzwerteAnzeigen();
    void cmdWerte_Click();
    void cmdWerte_LostFocus();

    // Store and cursors. aktZeile and onlineNr are written by the table only (the append, its commands and the
    // loading of a file); others read them.
    MessdatenStore Messdaten;
    int aktZeile = 1;
    int onlineNr = 1;
    QString anzahlText;
    QString jetztZeit;
    int zeilenAnzahl = 0;
    bool mesLaden = false; // a .mes file is being loaded: option captions keep the file name

signals:
    void showWerte(); // cmdWerte: the limits dialog is to be shown
    // The online view is to be shown again: online mode restarts it.
    void onlineViewRequested();
    // An online row was appended (keystroke forwarding types it).
    void onlineRowAppended(int row);
    // A row was appended to a view, with or without keystroke forwarding.
    void rowAppended(int view, int row);
    // A record was taken from the queue (stored, or refused by a full view); online values are saved then.
    void valueTaken(int view);
    // A command changed the rows of a view (deleted, cleared): its file is to be written again.
    void rowsChanged(int view);

private:
    // Showing the chart sets the statistics unit to the chart's.
    friend class ChartToggle;

    int view() const;
    void drain();
    void storeInBackground(const shell::Messwert& m);
    static void store(MessRow& row, const shell::Messwert& m, qint16 nr);
    bool onlineFull(int row);
    void showMemoryView(int view);
    void writeRow(int row);
    void updateOptionCaption(int view, const QString& anzahl);
    // One statistics update; without publish the list and controls are left for a later update to write. With
    // keepChart a shown chart stays (it follows the online values).
    void berechnen(bool publish, bool keepChart = false);

    struct ShownFigure {
        double value = 0;
        QString einheit;
        QString text;
        const QString& format(double v, const QString& unit);
    };
    // The running statistics of one view: its figures and the sums they come from.
    struct StatRun {
        Statistik stat;
        double summe = 0;
        double summeAbs = 0;
        double summeQuadrate = 0;
        ShownFigure minShown;
        ShownFigure maxShown;
    };
    // Adds the value in run.stat.letzterWert as the n-th; with publish, also the statistics lines as shown.
    QStringList rechnen(StatRun& run, int n, int view, bool publish) const;
    double accumulate(StatRun& run) const;
    void publishFigures(StatRun& run, int n, QStringList& lines) const;
    void auswerten8020(Statistik& s, double v, int n) const;
    // The mark of a row under 90/10 or SSPC-PA 2.
    Mark ruleMark(int row) const;
    // After an append: when the row completes an SSPC-PA 2 spot, the spot's other rows are coloured.
    void spotFaerben(int row);

    shell::AppState& m_st;
    FlexGridModel m_grid;
    WerteForm* m_werte;
    ChartToggle* m_chart;
    StatRun m_run;
    Statistik& m_stat = m_run.stat;
    bool m_onlineFullReported = false;
    std::deque<shell::Messwert> m_pending;
    int m_commands = 0;    // table commands under way
    bool m_taking = false; // the queue is being worked off
};

} // namespace table
