#include "MesReader.h"

#include "shell/Messwert.h"
#include "shell/Numbers.h"
#include "table/ValueFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace reports {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

// The next blank-separated word at or after pos; pos moves behind it.
QString nextWord(const QString& line, qsizetype& pos)
{
    while (pos < line.size() && isBlank(line.at(pos)))
        ++pos;
    const qsizetype start = pos;
    while (pos < line.size() && !isBlank(line.at(pos)))
        ++pos;
    return line.mid(start, pos - start);
}

bool isInteger(const QString& word)
{
    const qsizetype from = word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (word.size() <= from)
        return false;
    for (qsizetype i = from; i < word.size(); ++i)
        if (word.at(i) < QLatin1Char('0') || word.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

bool isComment(const QString& line)
{
    return line.startsWith(QLatin1Char('#'));
}

} // namespace

bool MesReader::parseValue(const QString& text, double& value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return false;
    bool ok = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

MesReader::Row MesReader::parseDataLine(const QString& line, bool withMaterial)
{
    Row row;
    row.zeit = line.left(8);

    // Number and value are the first two words after the time column (a blank inside the time must not shift
    // them): reading whole words keeps every digit, however wide the number or the value has grown.
    qsizetype pos = std::min<qsizetype>(8, line.size());
    bool ok = false;
    const QString nrWord = nextWord(line, pos);
    const int nr = nrWord.toInt(&ok);
    if (ok && nr >= std::numeric_limits<qint16>::min() && nr <= std::numeric_limits<qint16>::max())
        row.nr = static_cast<qint16>(nr);
    else if (isInteger(nrWord))
        row.valid = false; // a number the column cannot hold is not taken as 0
    double v = 0;
    const QString valueWord = nextWord(line, pos);
    const bool haveValue = parseValue(valueWord, v);
    if (shell::Numbers::namesNonFinite(valueWord) || (haveValue && std::fabs(v) > shell::kLargestValue))
        row.valid = false;

    // Unit and material follow the value at fixed distances: one blank, four unit characters, one blank, the
    // material to the end of the line. Counting from the value keeps a material of any width ("Fe", " Fe").
    row.einheit = line.mid(pos + 1, 4).leftJustified(4, QLatin1Char(' '));
    if (withMaterial)
        row.material = pos + 6 <= line.size() ? line.mid(pos + 6) : QString();
    if (haveValue) {
        // The table holds what the file shows for the unit, so a table loads, saves and loads to the same file.
        // A row numbered 0 is written in full where it would otherwise show as the empty row; it keeps that.
        const double shown = table::shownValue(v, table::decimalsForUnit(row.einheit));
        row.wert = shown == 0 && row.nr == 0 ? v : shown;
    }
    return row;
}

MesReader::Result MesReader::parse(const QStringList& lines, const QString& materialMode)
{
    Result result;
    const bool withMaterial = materialMode != QLatin1String("0");
    qsizetype i = 0;
    // The heading: project lines, empty lines and the table name line.
    while (i < lines.size()) {
        const QString& line = lines.at(i++);
        if (!line.isEmpty() && !isComment(line))
            break;
    }
    for (; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (isComment(line))
            continue;
        if (line.indexOf(QLatin1Char('.')) == 2)
            result.datum = line;
        if (line.indexOf(QLatin1Char(':')) != 2)
            continue;
        Row row = parseDataLine(line, withMaterial);
        if (row.valid)
            result.rows.push_back(std::move(row));
        else
            result.refused.push_back(int(i) + 1);
    }
    return result;
}

} // namespace reports
