#pragma once

#include <QString>

#include <vector>

namespace reports::ExportTexte {

// Messages of the file commands, German (sprache 0) or English (other).
QString saveFailed(int sprache, const QString& path, const QString& reason);
QString readFailed(int sprache, const QString& path, const QString& reason);

// What a .mes file held that did not become a row: lines refused (their numbers, the first ten) and rows beyond
// what a table holds. Empty when everything was taken.
QString notTaken(int sprache, const QString& file, const std::vector<int>& refused, size_t rows);

// The system's description of a file error in the user's language where a translation is known.
QString reason(int sprache, const QString& systemText);

// Texts of the inspection report, by name.
enum class Bericht {
    Title,    // the heading
    FileStem, // the start of the file name
    Folder,   // the folder under the measurement data folder
    Filter,   // file dialog filter
    Measured, // "Messung"
    Created,  // "Bericht erstellt"
    Project,  // block headings
    Gauge,
    Evaluation,
    Readings,
    Table, // the table's name
    Model, // the gauge's lines
    SerialLine,
    Firmware,
    Probe,
    Mac,
    Rule, // evaluation lines
    NoRule,
    Limits,
    Target,
    Cv,
    Pass, // the verdict
    Fail,
    Open,
    NotEvaluated,
    NoCriteria, // why there is no verdict
    MixedUnits,
    BelowMin, // reasons, with %1 the count (and %2 a limit)
    AboveMax,
    MeanBelowTarget,
    Band8020,
    Below9010,
    Band9010,
    SpotsOutside,
    AreasOutside,
    MinimumCount,
    LineChart, // chart headings
    Histogram,
    Nr, // reading columns
    Time,
    Value,
    Unit,
    Material,
    Spot,
    Page, // "Seite %1 von %2"
    InspectionArea,
    SpotSize,
    Count
};
QString bericht(int sprache, Bericht entry);

} // namespace reports::ExportTexte
