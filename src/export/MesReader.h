#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace reports {

// Reads the rows of a .mes file: the heading up to the table name line is skipped, "#" lines are comments,
// a line with "." as its third character is the table date, a line with ":" as its third character a data
// line; everything else is heading text.
class MesReader
{
public:
    // One data line. Fields that cannot be read keep the values of a cleared row.
    struct Row {
        QString zeit = QStringLiteral(" ");
        qint16 nr = 0;
        double wert = 0;
        QString einheit = QStringLiteral(" ");
        std::optional<QString> material; // only read when the edition's rows carry a material
        // False for a line whose number or value was never measured: a value that names no number ("NaN",
        // "inf", "∞") or lies beyond what a record can bring, a number beyond the 16-bit number column.
        bool valid = true;
    };

    struct Result {
        std::optional<QString> datum; // the last date line
        std::vector<Row> rows;        // every valid data line, in file order
        std::vector<int> refused;     // line numbers (from 1) of the data lines refused
    };

    // materialMode "0": the lines end with the unit and one blank; otherwise with a blank and the material.
    static Result parse(const QStringList& lines, const QString& materialMode);

    // The data line's fields; exposed for tests.
    static Row parseDataLine(const QString& line, bool withMaterial);

    // A value text with "," or "." as the decimal separator; false when it is not a number.
    static bool parseValue(const QString& text, double& value);
};

} // namespace reports
