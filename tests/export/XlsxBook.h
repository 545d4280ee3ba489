#pragma once

// An .xlsx workbook read back from its XML parts: sheets, cells with their number format and font, column
// widths and the chart's series.

#include "OutputTools.h"

#include <QMap>
#include <QXmlStreamReader>

namespace outputs {

struct XlsxCell {
    QString text; // shared strings resolved, numbers as written; empty for a blank cell
    bool isNumber = false;
    QString numFormat; // empty for the general format
    int fontId = 0;    // 0 is the workbook's default font, which no cell should keep
};

struct XlsxSeries {
    QString name, colour, dash, values;
};

class XlsxBook
{
public:
    explicit XlsxBook(const QString& path) : m_path(path)
    {
        QMap<QString, QString> targets;
        walk("xl/_rels/workbook.xml.rels", [&](QXmlStreamReader& r) {
            if (r.name() == QLatin1String("Relationship"))
                targets[attr(r, "Id")] = attr(r, "Target");
        });
        walk("xl/workbook.xml", [&](QXmlStreamReader& r) {
            if (r.name() != QLatin1String("sheet"))
                return;
            sheets << attr(r, "name");
            if (attr(r, "state") == QLatin1String("hidden"))
                hidden << sheets.last();
            m_parts[sheets.last()] = QStringLiteral("xl/") + targets[attr(r, "r:id")];
        });
        walk("xl/sharedStrings.xml", [&](QXmlStreamReader& r) {
            if (r.name() == QLatin1String("t"))
                m_strings << r.readElementText();
        });
        QMap<int, QString> codes;
        int skipXfs = 0; // the cell style records come before the cell formats
        walk("xl/styles.xml", [&](QXmlStreamReader& r) {
            if (r.name() == QLatin1String("numFmt"))
                codes[attr(r, "numFmtId").toInt()] = attr(r, "formatCode");
            else if (r.name() == QLatin1String("cellStyleXfs"))
                skipXfs = attr(r, "count").toInt();
            else if (r.name() == QLatin1String("xf") && skipXfs-- <= 0)
                m_xfs << qMakePair(codes.value(attr(r, "numFmtId").toInt()), attr(r, "fontId").toInt());
        });
        const QString styles = unzip(path, "xl/styles.xml");
        fonts = styles.mid(styles.indexOf("<fonts"))
                    .section("</fonts>", 0, 0)
                    .split("<font>")
                    .mid(2); // the part before the first font, and the default font
    }

    QStringList sheets, hidden;
    QStringList fonts; // the XML of every font but the default one

    QMap<QString, XlsxCell> cells(const QString& sheet) const
    {
        QMap<QString, XlsxCell> out;
        XlsxCell* cell = nullptr;
        walk(m_parts[sheet], [&](QXmlStreamReader& r) {
            if (r.name() == QLatin1String("c")) {
                cell = &out[attr(r, "r")];
                cell->isNumber = attr(r, "t").isEmpty();
                std::tie(cell->numFormat, cell->fontId) = m_xfs.value(attr(r, "s").toInt());
            } else if (r.name() == QLatin1String("v")) {
                const QString v = r.readElementText();
                cell->text = cell->isNumber ? v : m_strings.value(v.toInt());
            }
        });
        return out;
    }

    // Width and font of each column range, by its first column (1-based).
    QMap<int, QPair<double, int>> columns(const QString& sheet) const
    {
        QMap<int, QPair<double, int>> out;
        walk(m_parts[sheet], [&](QXmlStreamReader& r) {
            if (r.name() == QLatin1String("col"))
                out[attr(r, "min").toInt()] = {attr(r, "width").toDouble(),
                                               m_xfs.value(attr(r, "style").toInt()).second};
        });
        return out;
    }

    QList<XlsxSeries> series() const
    {
        QList<XlsxSeries> out;
        bool axes = false; // the axes follow the series
        walk("xl/charts/chart1.xml", [&](QXmlStreamReader& r) {
            const QStringView n = r.qualifiedName();
            axes = axes || n == QLatin1String("c:catAx");
            if (n == QLatin1String("c:ser"))
                out << XlsxSeries();
            else if (out.isEmpty() || axes)
                return;
            else if (n == QLatin1String("c:tx"))
                out.last().name = r.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (n == QLatin1String("a:srgbClr") && out.last().colour.isEmpty())
                out.last().colour = attr(r, "val");
            else if (n == QLatin1String("a:prstDash"))
                out.last().dash = attr(r, "val");
            else if (n == QLatin1String("c:f"))
                out.last().values = r.readElementText();
        });
        return out;
    }

private:
    static QString attr(const QXmlStreamReader& r, const char* name)
    {
        return r.attributes().value(QLatin1String(name)).toString();
    }

    // Calls f at every start element of a part.
    template <typename F> void walk(const QString& part, F f) const
    {
        QXmlStreamReader r(unzip(m_path, part));
        while (!r.atEnd())
            if (r.readNext() == QXmlStreamReader::StartElement)
                f(r);
    }

    QString m_path;
    QMap<QString, QString> m_parts;
    QStringList m_strings;
    QList<QPair<QString, int>> m_xfs; // number format and font of each cell format
};

} // namespace outputs
