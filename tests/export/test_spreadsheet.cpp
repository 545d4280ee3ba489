#include "Sandbox.h"
#include "XlsxBook.h"

#include "export/SpreadsheetExport.h"

#include <QImage>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

using namespace outputs;
using reports::SpreadsheetExport;
using reports::SpreadsheetInput;

namespace {

const QString kFigure = "###,##0.00_)";

// An English table of values 100.25, 100.5, 100.75 ... without project data: the block starts in row 5.
SpreadsheetInput english(int rows, const QString& unit = "µm  ")
{
    SpreadsheetInput in;
    in.headingReport = "  FE-Memory \r\n\r\nStatistics:\r\n\r\nnot ended by a line end";
    in.statZaehler = in.aktZeile = rows;
    in.min = 12.345, in.max = 12.355, in.mean = 12.5, in.stdabw = 0.125;
    in.minabs = 1.115, in.maxabs = 2, in.meanabs = 1.5;
    in.statEinheit = unit, in.Text8020 = "yes", in.firstStatLine = "FE-Memory chart", in.materialMode = "1";
    in.headings = {"01.02.2024", "No.", "Value", "Unit"};
    for (int i = 1; i <= rows; ++i)
        in.rows.push_back(
            {QStringLiteral("10:00:%1").arg(i, 2, 10, QLatin1Char('0')), i, 100 + i * 0.25, unit, " Fe        extra"});
    in.rows.push_back({}); // the empty row that ends the table
    in.sheetName = "Data", in.countLabel = "Number", in.minLabel = "Minimum", in.maxLabel = "Maximum";
    in.meanLabel = "Average", in.devLabel = "Std.Deviation", in.rule8020Label = "80/20 rule ok:";
    in.targetLabel = "Target value";
    in.mixedUnitLines = {" Statistics not possible", " cause of different", " measurement units"};
    return in;
}

QString write(const SpreadsheetInput& in, const QTemporaryDir& dir)
{
    const QString path = dir.filePath("book.xlsx");
    const reports::OutputResult result = SpreadsheetExport::write(in, path);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    return path;
}

// Column A to E of a row, texts as shown ("" for an empty cell).
QStringList row(const QMap<QString, XlsxCell>& cells, int r)
{
    QStringList out;
    for (const char* col : {"A", "B", "C", "D", "E"})
        out << cells.value(QLatin1String(col) + QString::number(r)).text;
    return out;
}

} // namespace

TEST(SpreadsheetExportTest, HeadingStatisticsAndTableInTheirRows)
{
    QTemporaryDir dir;
    SpreadsheetInput in = english(3);
    in.Emin = 80, in.Emax = 120.005, in.Esoll = 100.5;
    XlsxBook book(write(in, dir));
    EXPECT_EQ(book.sheets, QStringList{"Data"});
    QMap<QString, XlsxCell> c = book.cells("Data");

    EXPECT_EQ(row(c, 1)[0], "FE-Memory");
    EXPECT_FALSE(c.contains("A2"));
    const QList<QStringList> block = {{"Number", "3", "", "", ""},
                                      {"Minimum", "12.34", "µm  ", "", ""},
                                      {"Maximum", "12.36", "µm  ", "", ""},
                                      {"Average", "12.5", "µm  ", "", ""},
                                      {"Std.Deviation", "0.12", "µm  ", "", ""},
                                      {"80/20 rule ok:", "yes", "", "", ""},
                                      {"Min Limit", "80", "µm  ", "", ""},
                                      {"Max Limit", "120", "µm  ", "", ""},
                                      {"Target value", "100.5", "µm  ", "", ""}};
    for (int i = 0; i < block.size(); ++i)
        EXPECT_EQ(row(c, 5 + i), block[i]) << "row " << 5 + i;
    EXPECT_EQ(c[QStringLiteral("B5")].numFormat, "###0_______)");
    for (int r = 6; r <= 13; ++r)
        EXPECT_EQ(c[QStringLiteral("B%1").arg(r)].numFormat, kFigure) << r;
    EXPECT_EQ(c[QStringLiteral("B10")].isNumber, false) << "the 80/20 verdict stays text";

    // Two rows after the block: the heading, then one empty row, then the values.
    EXPECT_EQ(row(c, 16), (QStringList{"01.02.2024", "No.", "Value", "Unit", "Material"}));
    EXPECT_EQ(row(c, 18), (QStringList{" 10:00:01", "   1", "100.3", "µm  ", "Fe"}));
    EXPECT_EQ(row(c, 20), (QStringList{" 10:00:03", "   3", "100.8", "µm  ", "Fe"}));
    EXPECT_FALSE(c[QStringLiteral("B18")].isNumber);
    EXPECT_TRUE(c[QStringLiteral("C18")].isNumber);
    EXPECT_EQ(c[QStringLiteral("C18")].numFormat, "###,##0.0_)");
    EXPECT_FALSE(c.contains("A21"));

    // Every cell and every column (so every empty cell too) in "Lucida Console", bold, 10 pt.
    for (const XlsxCell& cell : c)
        EXPECT_NE(cell.fontId, 0);
    for (const QString& font : book.fonts)
        EXPECT_TRUE(font.contains("<b/><sz val=\"10\"/>") && font.contains("<name val=\"Lucida Console\"/>"))
            << font.toStdString();
    const QMap<int, QPair<double, int>> columns = book.columns("Data");
    EXPECT_EQ(columns.keys(), (QList<int>{1, 2, 3, 4, 5}));
    for (const auto& [width, font] : columns)
        EXPECT_NE(font, 0);

    // Two absolute mVs values without material: no deviation row, so the 80/20 row moves up while the formats of
    // B6 to B13 stay; three decimals.
    in = english(2, "mVs ");
    in.absolut = true;
    in.materialMode = "0";
    in.rows[0].wert = -0.1234;
    in.rows[1].material.clear();
    c = XlsxBook(write(in, dir)).cells("Data");
    EXPECT_EQ(row(c, 6)[1], "1.12");
    EXPECT_EQ(row(c, 9), (QStringList{"80/20 rule ok:", "yes", "", "", ""}));
    for (int r = 6; r <= 13; ++r)
        EXPECT_EQ(c[QStringLiteral("B%1").arg(r)].numFormat, kFigure) << r;
    EXPECT_EQ(row(c, 12), (QStringList{"01.02.2024", "No.", "Value", "Unit", ""}));
    EXPECT_EQ(row(c, 14), (QStringList{" 10:00:01", "   1", "0.123", "mVs ", "Fe"}));
    EXPECT_EQ(row(c, 15), (QStringList{" 10:00:02", "   2", "100.5", "mVs ", ""}));
    EXPECT_EQ(c[QStringLiteral("C14")].numFormat, "###,##0.000_)");
}

TEST(SpreadsheetExportTest, ChartSeriesFollowLimitsAndTarget)
{
    struct Case {
        double emin, emax, esoll;
        QStringList names;
    };
    const QList<Case> cases = {
        {0, 0, 0, {"", "Average"}},
        {80, 0, 0, {"", "Average", "Maximum", "Minimum"}},
        {0, 0, 100, {"", "Average", "Target value"}},
        {80, 120, 100, {"", "Average", "Maximum", "Minimum", "Target value"}},
    };
    // Colour, dash and the column of the hidden sheet that holds the constant list.
    const QMap<QString, QStringList> look = {{"", {"000000", ""}},
                                             {"Average", {"0000CD", "sysDot", "A"}},
                                             {"Maximum", {"00B050", "dash", "B"}},
                                             {"Minimum", {"00B050", "dash", "C"}},
                                             {"Target value", {"EE2C2C", "dash", "D"}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.names.join(QLatin1Char(',')).toStdString());
        QTemporaryDir dir;
        SpreadsheetInput in = english(4);
        in.Emin = k.emin, in.Emax = k.emax, in.Esoll = k.esoll;
        in.withChart = true;
        XlsxBook book(write(in, dir));
        EXPECT_EQ(book.sheets, (QStringList{"Data", "Chart", "ChartData"}));
        EXPECT_EQ(book.hidden, QStringList{"ChartData"});
        const QList<XlsxSeries> series = book.series();
        ASSERT_EQ(series.size(), k.names.size());
        for (int i = 1; i < series.size(); ++i) {
            const QString column = look[k.names[i]].value(2);
            EXPECT_EQ(series[i].name, k.names[i]);
            EXPECT_EQ((QStringList{series[i].colour, series[i].dash, column}), look[k.names[i]]);
            EXPECT_EQ(series[i].values, QStringLiteral("'ChartData'!$%1$1:$%1$4").arg(column));
        }
        EXPECT_EQ((QStringList{series[0].colour, series[0].dash}), look[QString()]);
        // Four values end in row 18, two rows later with limits, one with a target.
        const int last = 18 + 2 * (k.emin != 0 || k.emax != 0) + (k.esoll != 0);
        EXPECT_EQ(series[0].values, QStringLiteral("'Data'!$C$%1:$C$%2").arg(last - 3).arg(last));
        EXPECT_EQ(book.cells("ChartData")["A4"].text, "12.5");
    }
}

TEST(SpreadsheetExportTest, GermanDesktopStillWritesPointNumbers)
{
    // A German C library locale, made here: the machine need not have it generated.
    QTemporaryDir locales;
    run("localedef", {"-i", "de_DE", "-f", "UTF-8", locales.filePath("de_DE.UTF-8")});
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    testsupport::Sandbox sandbox("de_DE.UTF-8");
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");

    QTemporaryDir dir;
    SpreadsheetInput in = english(3);
    in.withChart = true;
    const QString path = write(in, dir);
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5") << "the program's locale is back";
    std::setlocale(LC_ALL, saved.c_str());
    qunsetenv("LOCPATH");

    const QMap<QString, XlsxCell> c = XlsxBook(path).cells("Data");
    EXPECT_EQ(c[QStringLiteral("B8")].text, "12.5");
    EXPECT_EQ(c[QStringLiteral("C15")].text, "100.3");
    EXPECT_FALSE(unzip(path, "xl/charts/chart1.xml").contains("100,3"));
}

TEST(SpreadsheetExportTest, LibreOfficeShowsValuesAndChart)
{
    QTemporaryDir dir;
    SpreadsheetInput in = english(40);
    in.Emin = 95, in.Emax = 110, in.Esoll = 104;
    in.withChart = true;
    const QString pdf = sofficePdf(write(in, dir), dir.path());
    const QString text = pdfText(pdf);
    for (const char* expected : {"FE-Memory", "12.34", "100.3", "109.5", "Target value", "FE-Memory chart"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;

    // The chart sheet comes last. Its constant lines are drawn from the hidden sheet's cells (the chart part
    // holds no copy of them), so their colours show only if LibreOffice read those cells.
    const QString pages = QString::fromUtf8(run("pdfinfo", {pdf})).section("Pages:", 1);
    const QString last = QString::number(pages.simplified().section(QLatin1Char(' '), 0, 0).toInt());
    run("pdftoppm", {"-png", "-r", "60", "-singlefile", "-f", last, "-l", last, pdf, dir.filePath("chart")});
    const QImage chart(dir.filePath("chart.png"));
    ASSERT_FALSE(chart.isNull());
    for (const QColor colour : {QColor(0, 0, 0), QColor(0, 0, 205), QColor(0, 176, 80), QColor(238, 44, 44)}) {
        int n = 0;
        for (int y = 0; y < chart.height(); ++y)
            for (int x = 0; x < chart.width(); ++x) {
                const QColor p = chart.pixelColor(x, y);
                n += std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                         std::abs(p.blue() - colour.blue()) <
                     60;
            }
        EXPECT_GT(n, 50) << colour.name().toStdString();
    }
}

TEST(SpreadsheetExportTest, BadSheetNameOrFolderFailsAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.xlsx");
    testsupport::Sandbox::writeFile(path, "old");
    SpreadsheetInput in = english(2);
    in.sheetName = "a[b]";
    const reports::OutputResult result = SpreadsheetExport::write(in, path);
    EXPECT_FALSE(result.ok || result.error.isEmpty());
    EXPECT_EQ(testsupport::Sandbox::readFile(path), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".part")) ||
                 SpreadsheetExport::write(english(2), dir.filePath("no/such.xlsx")).ok);
}
