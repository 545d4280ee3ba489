#include "OutputTools.h"

#include "export/ReportFont.h"
#include "export/ReportPrinter.h"

#include <QFontInfo>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace outputs;
using reports::ReportFont;
using reports::ReportPrinter;

namespace {

QString printToPdf(const QString& report, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    const reports::OutputResult result = ReportPrinter::print(report, pdf);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    return pdfText(path);
}

} // namespace

TEST(ReportPrinterTest, PdfHoldsEveryLineInOneEmbeddedMonospaceFont)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    const QString longLine = QStringLiteral("Kunde ") + QString(300, QLatin1Char('x'));
    QString report = sampleReport(20);
    report.insert(report.indexOf("FE-Speicher"), longLine + QStringLiteral("\r\n"));
    const QStringList pdfLines = words(printToPdf(report, path).split(QLatin1Char('\n')));

    // The long line is cut at the page edge, and the next line keeps a line of its own.
    QStringList expected = words(ReportFont::lines(report));
    ASSERT_EQ(pdfLines.size(), expected.size());
    const qsizetype cut = expected.indexOf(longLine);
    EXPECT_TRUE(pdfLines[cut].startsWith("Kunde xxxxxxxxxx"));
    EXPECT_LT(pdfLines[cut].size(), longLine.size());
    expected[cut] = pdfLines[cut];
    EXPECT_EQ(pdfLines, expected);

    // pdffonts: two heading lines, then one font: embedded, and the monospaced family Qt chose.
    const QStringList fonts = QString::fromUtf8(run("pdffonts", {path})).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(fonts.size(), 3) << fonts.join(QLatin1Char('\n')).toStdString();
    const QFontInfo chosen(ReportFont::font());
    EXPECT_TRUE(chosen.fixedPitch()) << chosen.family().toStdString();
    const QStringList fields = fonts[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    EXPECT_EQ(fields[0].section(QLatin1Char('+'), -1), QString(chosen.family()).remove(QLatin1Char(' ')));
    EXPECT_EQ(fields[fields.size() - 5], "yes") << "embedded";
}

TEST(ReportPrinterTest, LongReportFillsEveryPageAndLosesNoLine)
{
    QTemporaryDir dir;
    const QString report = sampleReport(5000);
    const QStringList expected = words(ReportFont::lines(report));
    const QStringList pages = printToPdf(report, dir.filePath("long.pdf")).split(QLatin1Char('\f'));

    QStringList all;
    QList<qsizetype> perPage;
    for (const QString& page : pages) {
        const QStringList lines = words(page.split(QLatin1Char('\n')));
        if (!lines.isEmpty())
            perPage << lines.size();
        all << lines;
    }
    EXPECT_EQ(all, expected);
    // Only the last page is short: a page is full before the next one starts.
    ASSERT_GT(perPage.size(), 50);
    for (qsizetype i = 1; i + 1 < perPage.size(); ++i)
        EXPECT_EQ(perPage[i], perPage[1]) << "page " << i + 1;
    EXPECT_LE(perPage.last(), perPage[1]);
}

TEST(ReportPrinterTest, DeviceThatCannotBeOpenedFailsWithReason)
{
    QPdfWriter pdf("/nonexistent-folder/report.pdf");
    const reports::OutputResult result = ReportPrinter::print(sampleReport(2), pdf);
    EXPECT_FALSE(result.ok || result.error.isEmpty());
}
