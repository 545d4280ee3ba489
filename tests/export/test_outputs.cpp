#include "OutputTools.h"
#include "Program.h"
#include "TakeValue.h"
#include "XlsxBook.h"

#include "export/ExportSession.h"
#include "export/OutputFiles.h"
#include "export/ReportFont.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "shell/SystemDesktop.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QPdfWriter>
#include <QTemporaryDir>

#include <cmath>

namespace Main = ctl::frmTransfer;
using namespace outputs;
using Answer = shell::Dialogs::Answer;

namespace {

// A memory read of a started program into view `view`, which is then shown. Units by row, "µm  " for rows without.
void fill(Program& p, const QList<double>& values, int view = 0, const QStringList& units = {})
{
    p.table().prepareTransfer(view);
    for (int nr = 1; nr <= values.size(); ++nr)
        testsupport::take(p.st, p.table(),
                          {.wert = values[nr - 1],
                           .nr = nr,
                           .einheit = units.value(nr - 1, "µm  "),
                           .zeit = QStringLiteral("10:00:%1").arg(nr, 2, 10, QLatin1Char('0')),
                           .view = view});
    p.table().showView(view);
}

bool commandsEnabled(Program& p)
{
    for (const QString& name : shell::Commands::controls())
        if (!p.main().isEnabled(name))
            return false;
    return true;
}

// The desktop as the recording one, noting whether the commands were disabled while a document was opened.
struct WatchingDesktop : testsupport::RecordingDesktop {
    Program* p = nullptr;
    bool enabledWhileOpening = true;
    bool openDocument(const QString& path, QString& error) override
    {
        enabledWhileOpening = commandsEnabled(*p);
        return RecordingDesktop::openDocument(path, error);
    }
};

} // namespace

// The clipboard is the saved file without its last line end (the report's wording and numbers are the report
// tests' work).
TEST(OutputCommands, ClipboardIsTheSavedFileWithoutItsLastLineEnd)
{
    Program p("RD", "de_DE.UTF-8");
    ASSERT_TRUE(p.start());
    fill(p, {100.5, 101.25, -99.0});
    const QString mes = p.sandbox.root() + QStringLiteral("/t.mes");
    ASSERT_TRUE(p.exporter().saveTo(mes));
    const int clears = p.desktop.clipboardClears;
    p.exporter().cmdClipboard_Click();
    EXPECT_EQ(p.desktop.clipboardClears, clears + 1);
    EXPECT_EQ(shell::TextFile::encode(p.desktop.clipboard) + "\r\n", testsupport::Sandbox::readFile(mes));
    EXPECT_TRUE(p.desktop.clipboard.contains("100,5 µm"));
}

TEST(OutputCommands, EmptyTableGivesTheHeadingOnEveryTarget)
{
    Program p("RD");
    ASSERT_TRUE(p.start());
    p.table().showView(0);
    QTemporaryDir dir;
    p.exporter().cmdClipboard_Click();
    const QString heading = p.desktop.clipboard;
    const QStringList lines = words(reports::ReportFont::lines(heading));
    EXPECT_EQ(lines, (QStringList{"FE-Speicher", "Statistik:", p.st.heuteDatum + " Nr. Messwert"}));

    QPdfWriter pdf(dir.filePath("empty.pdf"));
    ASSERT_TRUE(p.exporter().printTo(pdf).ok);
    EXPECT_EQ(words(pdfText(dir.filePath("empty.pdf")).split(QLatin1Char('\n'))), lines);
    ASSERT_TRUE(p.exporter().writeDocument(dir.filePath("empty.odt")).ok);
    EXPECT_EQ(words(odtParagraphs(unzip(dir.filePath("empty.odt"), "content.xml"))), lines);

    // The workbook: heading, statistics block from row 5 with zeros (not the statistics' start values), table
    // heading; no rows.
    ASSERT_TRUE(p.exporter().writeWorkbook(dir.filePath("empty.xlsx"), true).ok);
    const XlsxBook book(dir.filePath("empty.xlsx"));
    const auto cells = book.cells("Messwerte");
    const QStringList expected = {"FE-Speicher", "Statistik:", "0", "0", "0", "Nr.", ""};
    int i = 0;
    for (const char* cell : {"A1", "A3", "B5", "B6", "B7", "B12", "A14"})
        EXPECT_EQ(cells.value(cell).text, expected[i++]) << cell;
}

TEST(OutputCommands, DocumentsGoToTheDesktopAndFailuresAreShownAndLogged)
{
    Program p("RD");
    ASSERT_TRUE(p.start());
    p.st.link.CheckConnect = true; // as after a read: every command is given back afterwards
    WatchingDesktop desktop;
    desktop.p = &p;
    p.st.desktop = &desktop;
    fill(p, {12.5, 13.0, 14.25});

    p.exporter().cmdWord_Click();
    ASSERT_EQ(desktop.opened.size(), 1);
    const QFileInfo odt(desktop.opened.last());
    // In the user's own data folder, not a temporary one: a document saved in place outlives the program.
    EXPECT_EQ(odt.absolutePath(), p.st.edition.MessDataPath + QStringLiteral("/Dokumente"));
    EXPECT_TRUE(odt.fileName().startsWith("Messwerte_FE-Speicher_") && odt.suffix() == "odt")
        << odt.fileName().toStdString();
    EXPECT_EQ(odtParagraphs(unzip(odt.filePath(), "content.xml")),
              reports::ReportFont::lines(p.exporter().BuildReport("A")));
    EXPECT_FALSE(desktop.enabledWhileOpening);
    EXPECT_TRUE(commandsEnabled(p) && p.dialogs.shown.isEmpty());

    // No program for the document: the reason in a box, the log line, the commands back (the workbook's:
    // OutputCommands.XdgOpenHandsTheDocumentToItsProgramAndReportsWhenThereIsNone).
    desktop.openError = "xdg-open: a required tool could not be found";
    p.exporter().cmdWord_Click();
    EXPECT_EQ(p.dialogs.texts(), QStringList{desktop.openError});
    EXPECT_EQ(p.logLines().filter("Open"), QStringList{"Open Word:" + desktop.openError});
    EXPECT_TRUE(commandsEnabled(p));
}

TEST(OutputCommands, WorkbookHoldsTheViewShownAndAsksForTheChartOnlyWithStatistics)
{
    Program p("RD", "de_DE.UTF-8");
    ASSERT_TRUE(p.start());
    p.st.limits = {90, 110, 100, false, "90", "110", "100"};
    fill(p, {50, 60, 70, 80}, 1);
    fill(p, {-99.5, 101.25, 103}, 0); // shown

    auto book = [&](Answer answer) {
        p.dialogs.answers = {answer};
        p.dialogs.shown.clear();
        p.exporter().cmdExcel_Click();
        return XlsxBook(p.desktop.opened.last());
    };
    const XlsxBook plain = book(Answer::No);
    EXPECT_EQ(p.dialogs.texts(), QStringList{p.st.msg(shell::Msg::ExcelWithChart)});
    EXPECT_EQ(plain.sheets, QStringList{"Messwerte"});
    // Memory 1's figures over absolute values, the deviation the list shows; numbers with "." in a German locale.
    const auto cells = plain.cells("Messwerte");
    const table::Statistik& s = p.table().statistik();
    EXPECT_EQ(cells.value("B5").text, "3");
    EXPECT_EQ(cells.value("B6").text, "99.5");
    EXPECT_EQ(cells.value("B7").text, "103");
    EXPECT_EQ(cells.value("B8").text.toDouble(), std::nearbyint(s.meanabs * 100) / 100);
    EXPECT_GT(s.stdabwAbs, 1);
    EXPECT_EQ(cells.value("B9").text.toDouble(), std::nearbyint(s.stdabwAbs * 100) / 100);
    EXPECT_EQ(cells.value("C19").text, "101.3");

    const XlsxBook charted = book(Answer::Yes);
    EXPECT_EQ(charted.sheets.mid(0, 2), (QStringList{"Messwerte", "Chart"}));
    EXPECT_EQ(charted.series().size(), 5);

    // A value of another unit: no figures, no question, no chart.
    fill(p, {12, 5.5}, 0, {"µm  ", "mVs "});
    ASSERT_TRUE(p.table().statistik().einheitenGemischt);
    const XlsxBook mixed = book(Answer::Yes);
    EXPECT_TRUE(p.dialogs.shown.isEmpty());
    EXPECT_EQ(mixed.sheets, QStringList{"Messwerte"});
    EXPECT_EQ(mixed.cells("Messwerte").value("A5").text, p.st.stat(shell::Stat::NotPossible));
}

// The real xdg-open, with a handler of our own for .odt files and none for .xlsx.
TEST(OutputCommands, XdgOpenHandsTheDocumentToItsProgramAndReportsWhenThereIsNone)
{
    Program p("RD");
    ASSERT_TRUE(p.start());
    p.st.link.CheckConnect = true; // as after a read: every command is given back afterwards
    const QString root = p.sandbox.root();
    const QString script = root + QStringLiteral("/handler.sh");
    testsupport::Sandbox::writeFile(
        script, QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > %1/handed.txt\n").arg(root).toUtf8());
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    testsupport::Sandbox::writeFile(p.sandbox.data() + QStringLiteral("/applications/vt-handler.desktop"),
                                    "[Desktop Entry]\nType=Application\nName=Handler\nExec=" + script.toUtf8() +
                                        " %f\nMimeType=application/vnd.oasis.opendocument.text;\n");
    testsupport::Sandbox::writeFile(
        p.sandbox.config() + QStringLiteral("/mimeapps.list"),
        "[Default Applications]\napplication/vnd.oasis.opendocument.text=vt-handler.desktop\n");
    // xdg-open looks at desktop files only with a display named; the system's own handlers are out of sight.
    const QByteArray saved[] = {qgetenv("DISPLAY"), qgetenv("XDG_DATA_DIRS"), qgetenv("XDG_CURRENT_DESKTOP")};
    qputenv("DISPLAY", ":97");
    qputenv("XDG_DATA_DIRS", p.sandbox.runtime().toUtf8());
    qunsetenv("XDG_CURRENT_DESKTOP");
    shell::SystemDesktop desktop;
    p.st.desktop = &desktop;
    fill(p, {12.5, 13.0});

    p.exporter().cmdWord_Click();
    EXPECT_TRUE(p.dialogs.shown.isEmpty()) << p.dialogs.texts().join('\n').toStdString();
    const QString handed = QString::fromUtf8(testsupport::Sandbox::readFile(root + QStringLiteral("/handed.txt")));
    EXPECT_TRUE(handed.endsWith(".odt") && QFileInfo(handed).isFile()) << handed.toStdString();

    p.dialogs.answers = {Answer::No};
    p.exporter().cmdExcel_Click();
    const char* names[] = {"DISPLAY", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP"};
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
    ASSERT_EQ(p.dialogs.shown.size(), 2);
    const QString failure = p.dialogs.shown[1].text;
    // The reason and xdg-open's last word, without the fallbacks it tried.
    EXPECT_TRUE(failure.startsWith("xdg-open: a required tool could not be found") && failure.endsWith(".xlsx')") &&
                !failure.contains(QLatin1Char('\n')))
        << failure.toStdString();
    EXPECT_EQ(p.logLines().filter("Open Excel:"), QStringList{"Open Excel:" + failure});
    EXPECT_TRUE(commandsEnabled(p));
}
