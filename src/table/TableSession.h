#pragma once

#include "FlexGridModel.h"
#include "MessdatenStore.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

namespace shell {
struct AppState;
}

namespace table {

class WerteForm;

// The measurement table of the main window: store, grid, statistics, limits colouring and the 80/20 rule.
// Works on AppState (messart, absolut, limits, texts) and on FormState; never on widgets.
class TableSession : public QObject
{
    Q_OBJECT
public:
    // Calls into later subsystems; unset ones do nothing.
    struct Hooks {
        std::function<void()> optOnline_Click;      // re-shows the online view (AnsichtAktualisieren, messart 2)
        std::function<void(int row)> sendKeys;       // keystroke forwarding of an online row (may throw)
        std::function<void()> EnableCommands;        // default: enables the command controls directly
    };

    explicit TableSession(shell::AppState& st, QObject* parent = nullptr);
    ~TableSession() override;

    Hooks& hooks() { return m_hooks; }
    FlexGridModel& grid() { return m_grid; }
    WerteForm& werte() { return *m_werte; }

    // Feeds one row as record decoding does: stores it at aktZeile (onlineNr for messart 2), appends it unless
    // value and number are both 0, then advances the cursor. False when the view is full.
    bool appendRow(int messart, const QString& datum, const QString& zeit, int nr, double wert, const QString& einheit,
                   const QString& material);

    // Table.
    void TabelleFormatieren();
    void ZeileAnhaengen();
    void TabelleAufbauen();
    void MessdatenLoeschen() { Messdaten.MessdatenLoeschen(view()); }
    void LetzteZeileZeigen();
    void AnsichtAktualisieren();
    void optFE_Click() { showMemoryView(0); }
    void optNFE_Click() { showMemoryView(1); }
    void MSFlex_Click(int row); // marks or unmarks a grid row
    void cmdFlexZeileLoeschen_Click();
    void cmdFlexTabelleloeschen_Click();
    void cmdSort_Click();
    void cmdAbs_Click();

    // Memory names and the count in the option captions.
    QString memoryName(int view) const;
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

    // Statistics results.
    double min = 999999;
    double max = -999999;
    double minabs = 999999;
    double maxabs = -999999;
    double mean = 0;
    double meanabs = 0;
    double stdabw = 0;
    double stdabwAbs = 0;
    QString anz_min, anz_max, anz_mean, anz_dev = QStringLiteral(" ");
    QString statEinheit;
    bool einheitenGemischt = false;
    int statZaehler = 0;
    double letzterWert = 0;
    QString letzteEinheit;

    // 80/20 rule.
    bool Fehler8020 = false;
    bool FehlerProzent8020 = false;
    bool FehlerMittel8020 = false;
    int Anz8020 = 0;
    double Prozent8020 = 0;
    QString Text8020;

signals:
    void showWerte(); // cmdWerte: the limits dialog is to be shown

private:
    int view() const;
    void showMemoryView(int view);
    void writeRow(int row);
    void enableCommands();
    void auswerten8020(double v, int n);
    // One statistics update; without publish the list and controls are left for a later update to write.
    void berechnen(bool publish);

    struct ShownFigure {
        double value = 0;
        QString einheit;
        QString text;
        const QString& format(double v, const QString& unit);
    };

    shell::AppState& m_st;
    Hooks m_hooks;
    FlexGridModel m_grid;
    WerteForm* m_werte;
    double m_summe = 0;
    double m_summeAbs = 0;
    double m_summeQuadrate = 0;
    ShownFigure m_minShown;
    ShownFigure m_maxShown;
};

} // namespace table
