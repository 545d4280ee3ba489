#pragma once

#include <QList>
#include <QString>

namespace chart {

// Everything the charts read, copied from the current view, the statistics and the limits by the caller.
struct ChartInput {
    struct Row {
        int nr = 0;
        double wert = 0.0;
        QString einheit;
    };

    // The view's rows from row 1 on; only rows up to the first with nr 0 (at most 5000) are plotted.
    QList<Row> rows;

    bool absolut = false;
    double Emin = 0.0;
    double Emax = 0.0;
    double Esoll = 0.0;

    double min = 0.0;
    double max = 0.0;
    double minabs = 0.0;
    double maxabs = 0.0;
    // The statistics as displayed (formatted in the user's number format, maybe padded with blanks).
    QString anz_min;
    QString anz_max;
    QString anz_mean;
    bool einheitenGemischt = false;

    // Language texts, German or English: "Mittelwert"/"Average", "Daten"/"Data", "Sollwert    "/"Target value",
    // "Linie / Balken"/"Line / Bar".
    QString meanLabel;
    QString dataLegend;
    QString targetLabel;
    QString chartTypeCaption;
};

} // namespace chart
