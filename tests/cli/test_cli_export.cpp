#include "CliOptions.h"
#include "CliProcess.h"
#include "OutputTools.h"
#include "Program.h"
#include "TakeValue.h"
#include "XlsxBook.h"

#include "export/ExportSession.h"
#include "export/ReportFont.h"
#include "table/TableSession.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace outputs;

namespace {

// Every file below the sandbox with its content.
QMap<QString, QByteArray> files(const testsupport::Sandbox& sb)
{
    QMap<QString, QByteArray> out;
    for (QDirIterator it(sb.root(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        out[path] = testsupport::Sandbox::readFile(path);
    }
    return out;
}

// A table saved by the program in this process, with limits and project data in the data folders; what the
// program's output commands make of the file after "Datei öffnen" into memory 1.
struct Saved {
    QString mes;
    QString clipboard;
    QString workbook; // with its chart

    explicit Saved(testsupport::Sandbox& sb)
    {
        writeReportSettings(sb);
        Program p(sb, QStringLiteral("RD"), Program::Line::Fake);
        EXPECT_TRUE(p.start());
        p.shell->Voreinstellungen(QStringLiteral("PI"));
        p.shell->Voreinstellungen(QStringLiteral("LL"));
        p.table().showView(0);
        const double values[] = {101.25, 99.5, 130, 118.75, 125};
        for (int i = 0; i < 5; ++i)
            testsupport::take(
                p.st, p.table(),
                {.wert = values[i], .nr = i + 1, .material = "NFe", .zeit = QStringLiteral("09:3%1:00").arg(i)});
        mes = sb.root() + QStringLiteral("/in.mes");
        EXPECT_TRUE(p.exporter().saveTo(mes));
        p.table().showView(0);
        EXPECT_TRUE(p.exporter().loadFrom(mes));
        p.exporter().cmdClipboard_Click();
        clipboard = p.desktop.clipboard;
        workbook = sb.root() + QStringLiteral("/program.xlsx");
        EXPECT_TRUE(p.exporter().writeWorkbook(workbook, true).ok);
    }
};

// Cells as "A1 text format font" lines, for readable differences.
QStringList flat(const QMap<QString, XlsxCell>& cells)
{
    QStringList out;
    for (auto it = cells.begin(); it != cells.end(); ++it)
        out << QStringLiteral("%1 %2 %3 %4").arg(it.key(), it->text, it->numFormat).arg(it->fontId);
    return out;
}

CliRun exportTo(const QString& mes, const QString& to, const QString& out, const QStringList& more = {})
{
    return CliRun::run(QStringList{"export", mes, "--to", to, "--out", out} + more, 60000);
}

} // namespace

TEST(CliExport, OptionsAndExitStatuses)
{
    CliOptions o;
    ASSERT_TRUE(o.parse({"cli", "export", "--to=xlsx", "--out=x.xlsx", "--chart", "a.mes", "--view", "online",
                         "--edition", "FT", "--lang", "en"}))
        << o.error().toStdString();
    EXPECT_EQ(o.command, CliOptions::Command::Export);
    EXPECT_EQ(o.exported.file, "a.mes");
    EXPECT_EQ(o.exported.to, ExportOptions::Target::Xlsx);
    EXPECT_EQ(o.exported.out, "x.xlsx");
    EXPECT_TRUE(o.exported.chart);
    EXPECT_EQ(o.exported.viewIndex(), 2);
    EXPECT_EQ(o.edition, "FT");
    EXPECT_EQ(o.sprache, 1);
    ASSERT_TRUE(o.parse({"cli", "export", "a.mes", "--to", "txt", "--out", "x"}));
    EXPECT_EQ(o.exported.viewIndex(), 0);
    EXPECT_FALSE(o.exported.chart);
    EXPECT_FALSE(o.exported.rule.standIn.kind);
    ASSERT_TRUE(o.parse({"cli",
                         "export",
                         "a.mes",
                         "--to",
                         "txt",
                         "--out",
                         "x",
                         "--rule",
                         "pa2",
                         "--min",
                         "10",
                         "--max",
                         "20.5",
                         "--spot=4",
                         "--area",
                         "2",
                         "--spot-min-pct",
                         "75",
                         "--roughness",
                         "fine",
                         "--inspection-area",
                         "3.5",
                         "--nominal",
                         "0",
                         "--spot-max-pct",
                         "150"}))
        << o.error().toStdString();
    const shell::RuleStandIn& rule = o.exported.rule.standIn;
    EXPECT_EQ(rule.kind, shell::RuleKind::SspcPa2);
    EXPECT_EQ(rule.Emax, 20.5);
    EXPECT_EQ(rule.spotSize, 4);
    EXPECT_EQ(rule.spotMaxPct, 150);
    EXPECT_EQ(rule.inspectionArea, 3.5);
    for (const char* bad :
         {"a.mes --out x", "--to txt --out x", "a.mes --to txt", "a.mes b.mes --to txt --out x",
          "a.mes --to doc --out x", "a.mes --to pdf --out x --chart", "a.mes --to txt --out x --view 3",
          "a.mes --to txt --out x --port COM7", "a.mes --to txt --to pdf --out x",
          "a.mes --to xlsx --out x --chart=yes", "a.mes --to txt --out x --lang fr",
          "a.mes --to txt --out x --rule pa3", "a.mes --to txt --out x --spot 2", "a.mes --to txt --out x --min -1",
          "a.mes --to txt --out x --roughness rough", "a.mes --to txt --out x --area 1.5"})
        EXPECT_FALSE(o.parse(QStringList{"cli", "export"} + QString(bad).split(' '))) << bad;

    testsupport::Sandbox sb;
    const QString good = sb.root() + QStringLiteral("/good.mes");
    testsupport::Sandbox::writeFile(good, "FE-Speicher\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n");
    testsupport::Sandbox::writeFile(sb.root() + "/notes.mes", "Einkaufsliste\r\nBrot\r\n# Milch\r\n");
    testsupport::Sandbox::writeFile(sb.root() + "/image.mes", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    // The rule given judges the file's rows.
    const QString rows = sb.root() + QStringLiteral("/rows.mes");
    testsupport::Sandbox::writeFile(rows, "FE-Speicher\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n"
                                          "10:00:00          1        90,0 \xb5m    Fe\r\n"
                                          "10:00:00          2       100,0 \xb5m    Fe\r\n");
    const CliRun judged =
        exportTo(rows, "txt", sb.root() + "/rows.txt", {"--rule", "9010", "--nominal", "100", "--lang", "en"});
    EXPECT_EQ(judged.exitCode, 0) << judged.err.toStdString();
    EXPECT_TRUE(
        testsupport::Sandbox::readFile(sb.root() + "/rows.txt").contains("\r\n90/10 rule ok:        No 50 %\r\n"));
    const CliRun usage = exportTo(good, "doc", "x");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains("--to")) << usage.err.toStdString();
    for (const char* input : {"/missing.mes", "/notes.mes", "/image.mes"}) {
        const CliRun r = exportTo(sb.root() + input, "txt", sb.root() + "/out.txt", {"--lang", "en"});
        EXPECT_EQ(r.exitCode, 7) << input;
        EXPECT_TRUE(r.err.startsWith(sb.root() + input + ": ")) << r.err.toStdString();
    }
    EXPECT_TRUE(exportTo(sb.root() + "/notes.mes", "txt", "x", {"--lang", "en"}).err.contains("not a measurement"));
    // A missing folder, or a folder in the way of the file: exit 5 and nothing written.
    for (const char* to : {"txt", "pdf", "odt", "xlsx"}) {
        EXPECT_EQ(exportTo(good, to, sb.root() + "/missing/out").exitCode, 5) << to;
        const CliRun r = exportTo(good, to, sb.data());
        EXPECT_EQ(r.exitCode, 5) << to;
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_FALSE(QDir(sb.root() + "/missing").exists());
    EXPECT_FALSE(QFileInfo::exists(sb.root() + "/out.txt"));
}

// Files that are no measurement files or hold what was never measured: each run ends at once, in bounded memory,
// naming the file and the cause, with its exit status; what can be taken is written.
TEST(CliHostileFiles, EveryFileEndsBoundedWithItsStatus)
{
    testsupport::Sandbox sb;
    const QString dir = sb.root();
    const QByteArray head = "FE-Speicher\r\n\r\n01.02.2024       Nr.      Messwert\r\n\r\n";
    const auto row = [](int nr, const char* value) {
        return QByteArray("10:00:00 ") + QByteArray::number(nr).rightJustified(10) + ' ' +
               QByteArray(value).rightJustified(10) + " \xB5m    Fe\r\n";
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir + "/fifo.mes").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir + "/zero.mes"));
    testsupport::Sandbox::writeFile(dir + "/huge.mes", head + QByteArray(2 << 20, ' '));
    testsupport::Sandbox::writeFile(dir + "/nan.mes", head + row(1, "12,5") + row(2, "NaN") + row(3, "\xE2\x88\x9E") +
                                                          row(4, "-inf") + row(5, "1e300") + row(99999, "7,0"));
    QByteArray many = head;
    for (int i = 1; i <= 6000; ++i)
        many += row(i, "12,5");
    testsupport::Sandbox::writeFile(dir + "/many.mes", many);
    // Settings that are no files: their messages name them, the run goes on with the defaults.
    const QString appData = sb.config() + kAppData;
    QDir().mkpath(appData);
    ASSERT_EQ(::mkfifo(QFile::encodeName(appData + "/Limit.ini").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", appData + "/Language.ini"));

    const struct {
        const char* in;
        const char* out;
        int exit;
        const char* err;
        int rows; // rows of the text written; -1: nothing written
    } cases[] = {
        {"fifo.mes", "o1.txt", 7, "fifo.mes: Not a regular file (a FIFO)", -1},
        {"zero.mes", "o2.txt", 7, "zero.mes: Not a regular file (a character device)", -1},
        {"huge.mes", "o3.txt", 7, "huge.mes: File too large to read", -1},
        {"nan.mes", "o4.txt", 9,
         "5 lines without a valid value or with a number beyond its column not taken (line "
         "6, 7, 8, 9, 10)",
         1},
        {"many.mes", "o5.txt", 9, "6000 rows, a table holds 5000; the other 1000 are not taken", 5000},
        {"nan.mes", "nan.mes", 2, "--out names the input file", -1},
    };
    for (const auto& c : cases) {
        const QByteArray before = testsupport::Sandbox::readFile(dir + "/nan.mes");
        const CliRun r = CliRun::run(
            {"export", dir + "/" + c.in, "--to", "txt", "--out", dir + "/" + c.out, "--lang", "en"}, 20000, 400 << 20);
        EXPECT_EQ(r.exitCode, c.exit) << c.in << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << c.in << ": " << r.err.toStdString();
        EXPECT_EQ(testsupport::Sandbox::readFile(dir + "/nan.mes"), before);
        if (c.rows < 0) {
            EXPECT_TRUE(QString(c.in) == c.out || !QFileInfo::exists(dir + "/" + c.out)) << c.in;
            continue;
        }
        EXPECT_TRUE(r.err.contains("Limit.ini: Not a regular file (a FIFO)")) << r.err.toStdString();
        EXPECT_EQ(
            QString::fromUtf8(testsupport::Sandbox::readFile(dir + "/" + c.out)).count(QStringLiteral("µm    Fe")),
            c.rows)
            << c.in;
    }
    const CliRun ports = CliRun::run({"ports"}, 20000, 400 << 20);
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_TRUE(ports.err.contains("Language.ini: Not a regular file (a character device)")) << ports.err.toStdString();
}

TEST(CliExport, EveryTargetIsWhatTheProgramMakes)
{
    testsupport::Sandbox sb("de_DE.UTF-8");
    const Saved saved(sb);
    const QString out = sb.root() + QStringLiteral("/out");
    QDir().mkpath(out);
    const QMap<QString, QByteArray> before = files(sb);
    const QStringList lines = reports::ReportFont::lines(saved.clipboard);
    ASSERT_GT(lines.size(), 20);
    ASSERT_TRUE(saved.clipboard.contains(QStringLiteral("#  Objekt Bridge 7\r\n")));
    ASSERT_TRUE(saved.clipboard.contains(QRegularExpression(QStringLiteral("\r\nMax Limit +140 µm"))));

    for (const char* to : {"txt", "pdf", "odt", "xlsx"}) {
        const CliRun r = exportTo(saved.mes, to, out + "/report." + to,
                                  QString(to) == "xlsx" ? QStringList{"--chart"} : QStringList{});
        EXPECT_EQ(r.exitCode, 0) << to << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty() && r.err.isEmpty()) << r.err.toStdString();
    }
    EXPECT_EQ(testsupport::Sandbox::readFile(out + "/report.txt"), saved.clipboard.toUtf8());
    EXPECT_EQ(words(pdfText(out + "/report.pdf").split('\n')), words(lines));
    EXPECT_EQ(odtParagraphs(unzip(out + "/report.odt", "content.xml")), lines);

    // The workbook cell for cell and series for series the program's; numbers with "." under a German locale.
    const XlsxBook cli(out + "/report.xlsx"), program(saved.workbook);
    EXPECT_EQ(cli.sheets.mid(0, 2), (QStringList{"Messwerte", "Chart"}));
    const auto cells = cli.cells("Messwerte");
    EXPECT_EQ(flat(cells), flat(program.cells("Messwerte")));
    EXPECT_EQ(cli.series().size(), 5);
    EXPECT_EQ(cells.value("B12").text, "114.92"); // the mean of the values as loaded, one decimal each
    EXPECT_EQ(cells.value("C25").text, "118.8");
    ASSERT_EQ(exportTo(saved.mes, "xlsx", out + "/plain.xlsx").exitCode, 0);
    EXPECT_EQ(XlsxBook(out + "/plain.xlsx").sheets, QStringList{"Messwerte"});

    // The table name follows the view; English by --lang.
    ASSERT_EQ(exportTo(saved.mes, "txt", out + "/2.txt", {"--view", "2", "--lang", "en"}).exitCode, 0);
    EXPECT_TRUE(testsupport::Sandbox::readFile(out + "/2.txt").contains("\r\n#  Object Bridge 7\r\n"));
    EXPECT_TRUE(testsupport::Sandbox::readFile(out + "/2.txt").contains("\r\nNFE-Memory\r\n\r\nStatistics:"));
    ASSERT_EQ(exportTo(saved.mes, "txt", out + "/online.txt", {"--view", "online"}).exitCode, 0);
    EXPECT_TRUE(testsupport::Sandbox::readFile(out + "/online.txt").contains("\r\nOnline\r\n\r\nStatistik:"));

    // Nothing but the outputs was written.
    QMap<QString, QByteArray> after = files(sb);
    for (auto it = after.begin(); it != after.end();)
        it = it.key().startsWith(out + "/") ? after.erase(it) : std::next(it);
    EXPECT_EQ(after.keys(), before.keys());
    EXPECT_TRUE(after == before);
}

// The real clients: LibreOffice lays out the command's document and workbook.
TEST(CliExport, LibreOfficeReadsTheDocumentAndTheWorkbook)
{
    testsupport::Sandbox sb("de_DE.UTF-8");
    const Saved saved(sb);
    const QString out = sb.root() + QStringLiteral("/out");
    QDir().mkpath(out);
    ASSERT_EQ(exportTo(saved.mes, "odt", out + "/report.odt").exitCode, 0);
    ASSERT_EQ(exportTo(saved.mes, "xlsx", out + "/book.xlsx", {"--chart"}).exitCode, 0);

    EXPECT_EQ(words(pdfText(sofficePdf(out + "/report.odt", out)).split('\n')),
              words(reports::ReportFont::lines(saved.clipboard)));

    // A4 portrait: columns A and B on the first page, C to E on the second, then the chart sheet.
    const QStringList pages = pdfText(sofficePdf(out + "/book.xlsx", out)).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);
    const QStringList expected[] = {
        {"# Objekt Bridge 7", "FE-Speicher", "Anzahl 5", "Mittelwert 114,92", "Std.Abweichung 13,85",
         "Max Limit 140,00", "Sollwert 120,00", "09:30:00 1", "09:34:00 5"},
        {"Messwert Messeinheit Material", "101,3 µm NFe", "118,8 µm NFe", "125,0 µm NFe"},
        {"FE-Speicher", "Messwerte", "Anzahl", "Mittelwert", "Maximum", "Minimum", "Sollwert"}};
    for (int page = 0; page < 3; ++page) {
        const QString text = pages[page].simplified();
        for (const QString& part : expected[page])
            EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
    }
}
