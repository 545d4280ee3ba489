#pragma once

#include "FlexGridModel.h"
#include "MessdatenStore.h"
#include "Statistik.h"

#include <QColor>
#include <QObject>
#include <QString>

namespace shell {
struct AppState;
struct Messwert;
} // namespace shell

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

    // Stores a decoded record at the row cursor of the view of messart (onlineNr for online values, which also
    // take it as their number) and appends it unless value and number are both 0; then the cursor advances.
    void FillMessdaten(const shell::Messwert& m);
    // Feeds one row as record decoding does (tests and benchmarks). False when the view is full.
    bool appendRow(int view, const QString& datum, const QString& zeit, int nr, double wert, const QString& einheit,
                   const QString& material);

    // A memory transfer into view begins: statistics reset, grid laid out empty, the view's rows cleared.
    void prepareTransfer(int view);
    // Showing a memory view as its option button does.
    void showView(int view);
    // Online mode starts: the online view with fresh statistics.
    void showOnlineView();
    // Without a gauge: the commands that work on a table, when one of the views holds rows, else only opening.
    void enableAvailableCommands();
    // A "V" online line was processed: the next value gets the next number.
    void nextOnlineNr() { ++onlineNr; }

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

    // Store and cursors.
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

private:
    // Showing the chart sets the statistics unit to the chart's.
    friend class ChartToggle;

    int view() const;
    void showMemoryView(int view);
    void writeRow(int row);
    void auswerten8020(double v, int n);
    // One statistics update; without publish the list and controls are left for a later update to write. With
    // keepChart a shown chart stays (it follows the online values).
    void berechnen(bool publish, bool keepChart = false);

    struct ShownFigure {
        double value = 0;
        QString einheit;
        QString text;
        const QString& format(double v, const QString& unit);
    };

    shell::AppState& m_st;
    FlexGridModel m_grid;
    WerteForm* m_werte;
    ChartToggle* m_chart;
    Statistik m_stat;
    double m_summe = 0;
    double m_summeAbs = 0;
    double m_summeQuadrate = 0;
    bool m_onlineFullReported = false;
    ShownFigure m_minShown;
    ShownFigure m_maxShown;
};

} // namespace table
