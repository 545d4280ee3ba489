#include "OutputTools.h"

#include "export/OdtDocument.h"
#include "export/OutputFiles.h"
#include "export/ReportFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace outputs;
using reports::OdtDocument;
using reports::ReportFont;

TEST(OdtDocumentTest, EveryLineInTheReportFontAndReadableByLibreOffice)
{
    QTemporaryDir dir;
    const QString report = sampleReport(30);
    const QString path = dir.filePath("report.odt");
    const reports::OutputResult result = OdtDocument::write(report, path);
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    const QString xml = unzip(path, "content.xml");
    EXPECT_EQ(odtParagraphs(xml), ReportFont::lines(report));

    // "Lucida Console" where installed, else the monospaced family standing in for it (named, as the word
    // processor gets no style hint); the text uses one style.
    const QString family = ReportFont::documentFamily();
    EXPECT_TRUE(QFontDatabase::isFixedPitch(family)) << family.toStdString();
    const QStringList spanStyles =
        QRegularExpression("<text:span text:style-name=\"(\\w+)\"").globalMatch(xml).next().capturedTexts();
    ASSERT_EQ(xml.count(QStringLiteral("<text:span text:style-name=\"%1\"").arg(spanStyles[1])),
              xml.count("<text:span "));
    // Nothing but the family and the size: not bold, not italic.
    const QRegularExpression style(
        QStringLiteral("<style:style style:name=\"%1\" style:family=\"text\">\\s*"
                       "<style:text-properties fo:font-family=\"%2\" fo:font-size=\"10pt\"/>")
            .arg(spanStyles[1], QRegularExpression::escape(family)));
    EXPECT_TRUE(style.match(xml).hasMatch());

    // LibreOffice lays it out in that font and keeps every line.
    const QString pdf = sofficePdf(path, dir.path());
    EXPECT_EQ(words(pdfText(pdf).split(QLatin1Char('\n'))), words(ReportFont::lines(report)));
    const QString fonts = QString::fromUtf8(run("pdffonts", {pdf}));
    EXPECT_TRUE(fonts.contains(QLatin1Char('+') + QString(family).remove(QLatin1Char(' ')) + QLatin1Char(' ')))
        << fonts.toStdString();
}

TEST(OdtDocumentTest, FailureLeavesAnExistingFileAlone)
{
    QTemporaryDir dir;
    EXPECT_FALSE(OdtDocument::write(sampleReport(1), dir.filePath("missing/x.odt")).ok);
    // A folder in the way of the file: nothing can be written there.
    const QString blocked = dir.filePath("blocked.odt");
    QDir().mkpath(blocked);
    const reports::OutputResult result = OdtDocument::write(sampleReport(1), blocked);
    EXPECT_FALSE(result.ok || result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(OutputFilesTest, NamesSayWhatTheFileIsAndNeverCollide)
{
    const QDateTime when(QDate(2024, 2, 1), QTime(10, 5, 9));
    EXPECT_EQ(reports::OutputFiles::fileName("werk/2:a*b?\"c<d>e|f\\g", when, "odt"),
              "Messwerte_werk_2_a_b__c_d_e_f_g_2024-02-01_100509.odt");

    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Dokumente");
    const QString first = reports::OutputFiles::newPath(folder, "FE-Speicher", "xlsx");
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(QFileInfo(first).absolutePath(), folder);
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = reports::OutputFiles::newPath(folder, "FE-Speicher", "xlsx");
    EXPECT_NE(second, first);
    EXPECT_TRUE(second.endsWith(".xlsx"));
}
