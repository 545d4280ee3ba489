#include "ReadBench.h"
#include "export/ExportSession.h"
#include "link/OnlineReceiver.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"
#include "table/WerteForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

namespace {

const QString kEot = QString(QChar(4));

// Lets queued notifications of the line run.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A connected program on a scripted line: values are pushed as the instrument would send them.
struct OnlineProgram {
    Program prog;
    FakeLine& line;
    instrument::OnlineReceiver& online;
    QStringList shown;

    explicit OnlineProgram(const QString& edition, const QString& identification)
        : prog(edition), line(prog.line()), online(prog.session->online())
    {
        prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
        line.answers["$kova00$"] = identification + kEot;
        QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [this](const QString& t) { shown << t; });
        prog.start();
        prog.main().setText(Main::ComboPort, "COM3");
        prog.link().cmdConnect_Click();
    }
    void push(const QString& text)
    {
        line.push(text);
        settle();
    }
    const table::MessRow& row(int r) { return prog.table().Messdaten.at(2, r); }

    // The gauge sends its next value; values counts every value sent.
    QList<double> values;
    void measure(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            values << 100 + values.size() * 1.5;
            push(record(values.size(), QString::number(values.last(), 'f', 1), "ym"));
        }
    }
};

// The online view, Online.mes and the statistics hold exactly `expected`, numbered 1, 2, 3 ... in order.
void expectOnlineTable(OnlineProgram& p, const QList<double>& expected, const char* what)
{
    SCOPED_TRACE(what);
    table::TableSession& t = p.prog.table();
    ASSERT_EQ(t.Messdaten.rowCount(2), expected.size());
    for (int r = 1; r <= expected.size(); ++r) {
        EXPECT_EQ(p.row(r).nr, r);
        EXPECT_DOUBLE_EQ(p.row(r).wert, expected[r - 1]);
    }
    EXPECT_EQ(t.onlineNr, expected.size() + 1);
    const auto saved = Program::mesRows(p.prog.st.edition.MessDataPath + "/Online.mes");
    ASSERT_EQ(saved.size(), size_t(expected.size()));
    for (int r = 1; r <= expected.size(); ++r) {
        EXPECT_EQ(saved[r - 1].nr, r);
        EXPECT_DOUBLE_EQ(saved[r - 1].wert, expected[r - 1]);
    }
    // The running statistics agree with statistics worked out from the rows afresh, and count every row.
    const QStringList fresh = t.statistikZeilen(2);
    EXPECT_TRUE(fresh.value(4).endsWith(" " + QString::number(expected.size()))) << fresh.value(4).toStdString();
    if (p.prog.st.messart == shell::Messart::Online) {
        EXPECT_EQ(p.prog.main().items(Main::lstStat), fresh);
    }
}

} // namespace

// Values that arrive while the user works never get lost, doubled or misnumbered: each thing that can be open or
// going on during a run, with values arriving meanwhile (the nested event loop of a box or a dialog delivers them).
TEST(Online, ValuesArrivingWhileTheUserWorksAreAllKeptInOrder)
{
    struct Case {
        const char* what;
        std::function<void(OnlineProgram&)> interrupt;
    };
    const Case cases[] = {
        {"delete question",
         [](OnlineProgram& p) {
             p.prog.table().MSFlex_Click(3);
             p.prog.dialogs.answers = {shell::Dialogs::Answer::Ok};
             p.prog.table().cmdFlexZeileLoeschen_Click();
             p.values.removeAt(2);
         }},
        {"clear question",
         [](OnlineProgram& p) {
             p.prog.dialogs.answers = {shell::Dialogs::Answer::Yes};
             const int before = p.values.size();
             p.prog.table().cmdFlexTabelleloeschen_Click();
             p.values.remove(0, before);
         }},
        {"save dialog",
         [](OnlineProgram& p) {
             const int before = p.values.size();
             p.prog.dialogs.files = {"during"};
             p.prog.exporter().cmdSave_Click();
             // The file holds the table as it was when the user pressed the button.
             EXPECT_EQ(int(Program::mesRows(p.prog.exporter().mesFolder() + "/during.mes").size()), before);
         }},
        {"open dialog",
         [](OnlineProgram& p) {
             const QString file = p.prog.exporter().mesFolder() + "/other.mes";
             p.prog.exporter().saveTo(file);
             p.prog.dialogs.files = {file};
             p.prog.exporter().cmdOpen_Click();
             // The file opens beside the run, which goes on in the background.
             EXPECT_EQ(p.prog.st.messart, shell::Messart::Speicher1);
             EXPECT_TRUE(p.prog.main().text(Main::optFE).startsWith("other.mes"));
             p.online.optOnline_Click();
         }},
        {"print dialog", [](OnlineProgram& p) { p.prog.exporter().cmdprint_Click(); }},
        {"memory read question, declined",
         [](OnlineProgram& p) {
             p.prog.dialogs.answers = {shell::Dialogs::Answer::Cancel};
             p.prog.reader().cmdLesFE_Click();
             EXPECT_TRUE(p.online.receiving());
         }},
        {"memory view shown",
         [](OnlineProgram& p) {
             p.prog.table().optFE_Click();
             p.measure(2);
             EXPECT_TRUE(p.prog.main().text(Main::optOnline).endsWith(QString(" (%1)").arg(p.values.size())));
             p.online.optOnline_Click();
         }},
        {"limits changed",
         [](OnlineProgram& p) {
             p.prog.table().cmdWerte_Click();
             p.measure();
             p.prog.table().werte().wertechanged = true;
             p.prog.table().cmdWerte_LostFocus();
         }},
    };
    for (const Case& c : cases) {
        OnlineProgram p("RD", "FN-B SN 1\r\nM1:0\r\nM2:0\r\n");
        p.online.optOnline_Click();
        p.measure(5);
        p.prog.dialogs.duringDialog = [&p] {
            p.prog.dialogs.duringDialog = nullptr;
            p.measure(3);
        };
        c.interrupt(p);
        p.prog.dialogs.duringDialog = nullptr;
        p.measure(2);
        expectOnlineTable(p, p.values, c.what);
    }
}

// Keystroke forwarding into a program that has gone: told once in a box that does not wait, every value still
// kept; the memory read question, answered yes, ends the run with every value on disk.
TEST(Online, KeystrokeFailureAndAReadEndTheRunWithoutLosingValues)
{
    OnlineProgram p("RD", "FN-B SN 1\r\nM1:0\r\nM2:0\r\n");
    p.prog.st.keys.tastaturAktiv = true;
    p.prog.st.keys.anwendung = "gone";
    p.online.optOnline_Click();
    p.measure(6);
    EXPECT_EQ(p.prog.dialogs.notified, 1);
    EXPECT_EQ(p.prog.dialogs.texts(), QStringList{"App gone wurde beendet, bitte Pgm neu starten!"});
    EXPECT_EQ(p.prog.log().count("App gone wurde beendet"), 6);
    expectOnlineTable(p, p.values, "keystrokes");

    p.prog.dialogs.answers = {shell::Dialogs::Answer::Ok};
    p.prog.reader().cmdLesFE_Click();
    EXPECT_FALSE(p.online.receiving());
    EXPECT_FALSE(p.prog.st.link.onlineRun);
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 6);
    p.online.optOnline_Click();
    p.measure(2);
    expectOnlineTable(p, p.values, "after the read");
}

TEST(Online, LineInstrumentPausesDropsAndContinues)
{
    OnlineProgram p("VX5", "VX-5 SN 1\r\nVD:1.0\r\nM1:0\r\n");
    shell::FormState& f = p.prog.main();
    p.online.optOnline_Click();
    EXPECT_TRUE(f.isVisible(Main::cmdStop));
    // Values are numbered by the program, not by the gauge; "Oe" shows as "G " in the display.
    p.push(record(7, "12.5", "Oe"));
    p.push(record(8, "-3.25", "A/cm"));
    ASSERT_EQ(p.prog.table().Messdaten.rowCount(2), 2);
    EXPECT_EQ(std::tuple(p.row(1).nr, p.row(1).einheit, p.row(2).wert), std::tuple(qint16(1), "G   ", -3.25));
    EXPECT_EQ(p.shown.value(0), "      12.5 G   ");

    // Paused, the button says how to go on: lines are dropped and never stored later.
    p.online.cmdStop_Click();
    EXPECT_EQ(std::pair(f.text(Main::cmdStop), f.control(Main::cmdStop).backColor),
              std::pair(QString("Weiter"), QColor(128, 255, 128)));
    p.push(record(9, "99", "Oe"));
    p.online.cmdStop_Click();
    EXPECT_EQ(f.text(Main::cmdStop), "Stopp");
    p.push(record(11, "4.5", "Oe"));
    ASSERT_EQ(p.prog.table().Messdaten.rowCount(2), 3);
    EXPECT_EQ(std::pair(p.row(3).wert, p.row(3).nr), std::pair(4.5, qint16(3)));

    // A line that is no value ends reception and disables the online option; nothing after it is taken.
    p.push("Err 17\r\n");
    p.push(record(12, "5.5", "Oe"));
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 3);
    EXPECT_FALSE(f.isEnabled(Main::optOnline) || p.online.receiving());
    // "V" values are not saved on their own.
    EXPECT_TRUE(testsupport::Sandbox::readFile(p.prog.st.edition.MessDataPath + "/Online.mes").isEmpty());
}

// A full table keeps showing values and says so once; "E" values saved, a "V" store stops at its size.
TEST(Online, FullTableKeepsWhatIsStoredAndSaysSoOnce)
{
    for (const auto& [edition, identification, unit] : {std::tuple{"RD", "FN-B SN 1\r\nM1:0\r\nM2:0\r\n", "µm"},
                                                        std::tuple{"VX1", "VX-1 SN 1\r\nM1:0\r\n", "A/cm"}}) {
        OnlineProgram p(edition, identification);
        p.online.optOnline_Click();
        p.prog.st.link.SchalterStop = false;
        for (int i = 1; i <= 5002; ++i)
            p.line.push(record(i, QString::number(50 + i % 40) + ".5", unit));
        settle();
        EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 5000) << edition;
        EXPECT_EQ(p.row(5000).nr, 5000);
        EXPECT_EQ(p.prog.dialogs.texts(), QStringList{"Maximale Werteanzahl überschritten 5000"});
        if (QString(edition) == "RD") {
            EXPECT_EQ(p.shown.size(), 5002);
            EXPECT_EQ(p.shown.last(), "      52.5 µm  ");
            EXPECT_EQ(Program::mesRows(p.prog.st.edition.MessDataPath + "/Online.mes").size(), 5000u);
        }
    }
}

TEST(Online, QL7GoesOnlineWhenConnectedAndJoinsSplitLines)
{
    ReadBench b("QL7", sim("QL7", {"--interval", "80", "--fault", "split", "--split-pause", "30"}));
    START_OR_FAIL(b);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);
    EXPECT_EQ(b.onlineStarts, 1);
    EXPECT_EQ(b.prog.st.messart, shell::Messart::Online);
    for (const QString& name : {Main::cmdLesen, Main::cmdLesFE, Main::cmdLesNFE, Main::optFE, Main::optNFE})
        EXPECT_FALSE(b.prog.main().isVisible(name)) << name.toStdString(); // no memory: no read controls
    shell::waitUntil([&] { return b.rows(2) >= 3; }, 5000);
    ASSERT_GE(b.rows(2), 3);
    // A record split across two writes arrives whole: its unit and number are read from the right columns.
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(b.row(2, r).einheit, "G   ") << r;
        EXPECT_EQ(b.row(2, r).nr, r);
    }
}

// Every value is on disk before the next one is shown, the gauge's "ym" is "µm"; the gauge goes away (a Bluetooth
// link dropping) and every value that came is kept; it comes back and the run goes on where it was.
TEST(Online, ValuesAreSavedOneByOneAndTheRunGoesOnWhenTheSameGaugeComesBack)
{
    testsupport::Sandbox sb;
    auto first = std::make_unique<SimulatedGauge>();
    START_SIM(*first, "--model", "RD", "--com", "7", "--online", "--interval", "40", "--fast", "--ym");
    Program p(sb, "RD", Program::Line::Real);
    p.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    ASSERT_TRUE(p.start());
    p.connect(7);
    ASSERT_TRUE(p.st.link.CheckConnect);
    instrument::OnlineReceiver& online = p.session->online();
    const QString onlineFile = p.st.edition.MessDataPath + "/Online.mes";
    const auto saved = [&] { return Program::mesRows(onlineFile); };
    QList<int> savedWhenShown;
    QStringList shown;
    QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [&](const QString& text) {
        shown << text;
        savedWhenShown << int(saved().size());
    });
    online.optOnline_Click();
    shell::waitUntil([&] { return p.table().Messdaten.rowCount(2) >= 5; }, 5000);
    ASSERT_GE(shown.size(), 5);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(savedWhenShown[k], k + 1);
    EXPECT_TRUE(shown.last().endsWith("µm  ")) << shown.last().toStdString();
    EXPECT_EQ(p.table().Messdaten.at(2, 1).einheit, "µm  ");
    EXPECT_EQ(p.table().Messdaten.at(2, 1).material, " Fe");
    EXPECT_EQ(p.main().items(Main::lstStat).value(0), "ONLINE");

    first->command("unplug");
    shell::waitUntil([&] { return online.waitingForTheGauge(); }, 5000);
    ASSERT_TRUE(online.waitingForTheGauge());
    EXPECT_TRUE(p.main().isVisible(Main::cmdCancel));
    EXPECT_TRUE(p.main().text(Main::txtWait).startsWith("Verbindung verloren"));
    const int before = p.table().Messdaten.rowCount(2);
    EXPECT_EQ(before, shown.size());
    EXPECT_EQ(int(saved().size()), before);
    EXPECT_DOUBLE_EQ(saved().back().wert, p.table().Messdaten.at(2, before).wert);
    first.reset();

    // It comes back on the same port: the run goes on, numbered on from where it was, Online.mes included.
    SimulatedGauge second;
    START_SIM(second, "--model", "RD", "--com", "7", "--online", "--online-start", "now", "--interval", "40", "--fast");
    shell::waitUntil([&] { return p.table().Messdaten.rowCount(2) >= before + 5; }, 8000);
    ASSERT_GE(p.table().Messdaten.rowCount(2), before + 5);
    EXPECT_TRUE(p.st.link.CheckConnect);
    EXPECT_FALSE(p.main().isVisible(Main::cmdCancel));
    for (int r = 1; r <= before + 5; ++r)
        EXPECT_EQ(p.table().Messdaten.at(2, r).nr, r);
    EXPECT_GE(saved().size(), size_t(before + 5));
    // Waiting and resuming are told in the status line; no box interrupts the inspector.
    EXPECT_TRUE(p.dialogs.shown.isEmpty()) << p.dialogs.texts().join('|').toStdString();
}
