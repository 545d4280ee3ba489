#include "MesReader.h"

#include "table/TextAlign.h"

#include <QLocale>

#include <cmath>
#include <limits>

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

    // Number and value are the first two words after the time: reading whole words keeps every digit,
    // however wide the number or the value has grown.
    qsizetype pos = line.indexOf(QLatin1Char(' '));
    if (pos >= 0) {
        bool ok = false;
        const int nr = nextWord(line, pos).toInt(&ok);
        if (ok && nr >= std::numeric_limits<qint16>::min() && nr <= std::numeric_limits<qint16>::max())
            row.nr = static_cast<qint16>(nr);
        double v = 0;
        if (parseValue(nextWord(line, pos), v))
            row.wert = v;
    }

    // Unit and material sit at fixed places before the end of the line.
    const qsizetype n = line.size();
    if (withMaterial) {
        if (n >= 4)
            row.material = line.right(4);
        if (n >= 9) {
            QString unit = line.mid(n - 9, 5);
            while (unit.startsWith(QLatin1Char(' ')))
                unit.remove(0, 1);
            row.einheit = table::AusrichtenL(4, unit);
        }
    } else if (n >= 5) {
        row.einheit = line.mid(n - 5, 4);
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
        if (line.indexOf(QLatin1Char(':')) == 2)
            result.rows.push_back(parseDataLine(line, withMaterial));
    }
    return result;
}

} // namespace reports
