#pragma once

#include "OutputResult.h"

#include "chart/ChartDescription.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace reports {

// The inspection report handed to a client: head, project and gauge, the evaluation with its verdict, the charts
// and every reading, laid out on any paged device (a PDF writer, a printer). Made of its content alone; the
// texts in it are already in the report's language.
class InspectionReport
{
public:
    using Line = QPair<QString, QString>; // label, value

    struct Row {
        QString nr;
        QString zeit;
        QString wert;
        QString einheit;
        QString material;
        QColor colour;    // the grid's colour; invalid for none
        QString spotMean; // on the reading that completes an SSPC-PA 2 spot: "<spot>: <mean>"
    };
    enum class Verdict { None, Pass, Fail, Open };

    struct Content {
        QString logoPath; // "" or a picture file
        QString edition;  // the program's title
        QString title;
        QString measuredLabel;
        QString measured;
        QString createdLabel;
        QString created;

        QString projectHeading;
        QList<Line> project;
        QString gaugeHeading;
        QList<Line> gauge;

        QString evaluationHeading;
        QList<Line> criteria; // the rule, its settings, limits and target, and the rule's figures
        QList<Line> figures;  // count, minimum, maximum, mean, deviation, coefficient of variation
        Verdict verdict = Verdict::None;
        QString verdictText;
        QStringList reasons; // why it failed, or why there is no verdict
        QStringList notes;   // beside a verdict: what the rule does not judge

        bool charts = false;
        QString lineChartTitle;
        chart::ChartDescription lineChart;
        QString histogramTitle;
        chart::ChartDescription histogram;

        QString readingsHeading;
        QStringList columns; // number, time, value, unit, material, and the spot column when spots is set
        bool spots = false;
        QList<Row> rows;

        QString footer;   // program name and version
        QString pageText; // "Seite %1 von %2"
    };

    // Fails when the device cannot be painted on or refuses a page. pages gets the page count.
    static OutputResult print(const Content& content, QPagedPaintDevice& device, int* pages = nullptr);
};

} // namespace reports
