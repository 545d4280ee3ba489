#include "ReadBench.h"
#include "export/MesFile.h"
#include "export/MesReader.h"
#include "link/OnlineReceiver.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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
    QByteArray onlineFile() const
    {
        return testsupport::Sandbox::readFile(prog.st.edition.MessDataPath + "/Online.mes");
    }
    const table::MessRow& row(int r) { return prog.table().Messdaten.at(2, r); }
};

} // namespace

TEST(Online, RondoValuesAreShownStoredAndSavedOneByOne)
{
    ReadBench b("RD", sim("RD", {"--online", "--interval", "60", "--ym"}), 7, false);
    START_OR_FAIL(b);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);
    instrument::OnlineReceiver& online = b.prog.session->online();
    const QString onlineFile = b.prog.st.edition.MessDataPath + "/Online.mes";

    // After every value the file on disk already holds it, with all the values before it.
    std::vector<std::vector<reports::MesReader::Row>> files;
    QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [&] {
        QString text;
        reports::MesFile::read(onlineFile, text);
        files.push_back(reports::MesReader::parse(shell::TextFile::splitLines(text), "1").rows);
    });
    online.optOnline_Click();
    EXPECT_EQ(b.prog.st.messart, shell::Messart::Online);
    shell::waitUntil([&] { return files.size() >= 4u; }, 5000);
    ASSERT_GE(files.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(int(files[k].size()), k + 1) << k;
        EXPECT_EQ(files[k].back().nr, k + 1);
        EXPECT_DOUBLE_EQ(files[k].back().wert, b.row(2, k + 1).wert);
    }
    // "ym" from the gauge is "µm" in the display and in the table; the material comes from the record.
    EXPECT_TRUE(b.displayTexts.last().endsWith("µm  ")) << b.displayTexts.last().toStdString();
    EXPECT_EQ(b.row(2, 1).einheit, "µm  ");
    EXPECT_EQ(b.row(2, 1).material, " Fe");
    EXPECT_EQ(b.caption(Main::optOnline).left(8), "Online (");
    EXPECT_EQ(b.prog.main().items(Main::lstStat).value(0), "ONLINE");
    EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());

    // Choosing a memory view ends online reception: later values go nowhere.
    b.table().optFE_Click();
    const int rows = b.rows(2);
    b.prog.link().Delay(1);
    EXPECT_EQ(b.rows(2), rows);
}

TEST(Online, LineInstrumentPausesDropsAndContinues)
{
    OnlineProgram p("VX5", "VX-5 SN 1\r\nVD:1.0\r\nM1:0\r\n");
    shell::FormState& f = p.prog.main();
    ASSERT_TRUE(p.prog.st.link.CheckConnect);
    p.online.optOnline_Click();
    EXPECT_TRUE(f.isVisible(Main::cmdStop));
    EXPECT_EQ(f.text(Main::cmdStop), "Stopp");

    p.push(record(7, "12.5", "Oe"));
    p.push(record(8, "-3.25", "A/cm"));
    ASSERT_EQ(p.prog.table().Messdaten.rowCount(2), 2);
    // Values are numbered by the program, not by the gauge; "Oe" shows as "G " in the display.
    EXPECT_EQ(p.row(1).nr, 1);
    EXPECT_EQ(p.row(1).einheit, "G   ");
    EXPECT_EQ(p.shown.value(0), "      12.5 G   ");
    EXPECT_DOUBLE_EQ(p.row(2).wert, -3.25);

    // Paused: lines are dropped and never stored later.
    p.online.cmdStop_Click();
    EXPECT_EQ(f.text(Main::cmdStop), "Weiter");
    EXPECT_EQ(f.control(Main::cmdStop).backColor, QColor(128, 255, 128));
    p.push(record(9, "99", "Oe"));
    p.push(record(10, "98", "Oe"));
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 2);
    p.online.cmdStop_Click();
    EXPECT_EQ(f.text(Main::cmdStop), "Stopp");
    EXPECT_EQ(f.control(Main::cmdStop).backColor, QColor(255, 128, 128));
    p.push(record(11, "4.5", "Oe"));
    ASSERT_EQ(p.prog.table().Messdaten.rowCount(2), 3);
    EXPECT_DOUBLE_EQ(p.row(3).wert, 4.5);
    EXPECT_EQ(p.row(3).nr, 3);

    // A line that is no value ends reception and disables the online option; nothing after it is taken.
    p.push("Err 17\r\n");
    p.push(record(12, "5.5", "Oe"));
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 3);
    EXPECT_FALSE(f.isEnabled(Main::optOnline));
    EXPECT_FALSE(p.online.receiving());
    // "V" values are not saved on their own.
    EXPECT_TRUE(p.onlineFile().isEmpty());
}

TEST(Online, FullTableKeepsShowingAndSavingValuesAndSaysSoOnce)
{
    OnlineProgram p("RD", "FN-B SN 1\r\nM1:0\r\nM2:0\r\n");
    p.online.optOnline_Click();
    for (int i = 1; i <= 5002; ++i)
        p.line.push(record(i, QString::number(50 + i % 40) + ".5", "µm"));
    settle();
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 5000);
    EXPECT_EQ(p.prog.dialogs.texts(), QStringList{"Maximale Werteanzahl überschritten 5000"});
    EXPECT_EQ(p.shown.size(), 5002);
    EXPECT_EQ(p.shown.last(), "      52.5 µm  ");
    const QString saved = shell::TextFile::decode(p.onlineFile());
    EXPECT_EQ(reports::MesReader::parse(shell::TextFile::splitLines(saved), "1").rows.size(), 5000u);
}

TEST(Online, LineStoreStopsAtItsSizeWithoutLosingWhatIsStored)
{
    OnlineProgram p("VX1", "VX-1 SN 1\r\nM1:0\r\n");
    p.online.optOnline_Click();
    p.prog.st.link.SchalterStop = false;
    for (int i = 1; i <= 5003; ++i)
        p.line.push(record(i, "1.5", "A/cm"));
    settle();
    EXPECT_EQ(p.prog.table().Messdaten.rowCount(2), 5000);
    EXPECT_EQ(p.prog.dialogs.texts(), QStringList{"Maximale Werteanzahl überschritten 5000"});
    EXPECT_EQ(p.row(5000).nr, 5000);
}

TEST(Online, QL7GoesOnlineWhenConnectedAndJoinsSplitLines)
{
    ReadBench b("QL7", sim("QL7", {"--interval", "80", "--fault", "split", "--split-pause", "30"}));
    START_OR_FAIL(b);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);
    EXPECT_EQ(b.onlineStarts, 1);
    EXPECT_EQ(b.prog.st.messart, shell::Messart::Online);
    shell::waitUntil([&] { return b.rows(2) >= 3; }, 5000);
    ASSERT_GE(b.rows(2), 3);
    // A record split across two writes arrives whole: its unit and number are read from the right columns.
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(b.row(2, r).einheit, "G   ") << r;
        EXPECT_EQ(b.row(2, r).nr, r);
    }
}

TEST(Online, UnpluggedGaugeKeepsEveryValueThatArrived)
{
    ReadBench b("RD", sim("RD", {"--online", "--interval", "40", "--unplug-after", "900"}), 7, false);
    START_OR_FAIL(b);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);
    instrument::OnlineReceiver& online = b.prog.session->online();
    int shown = 0;
    QObject::connect(&online, &instrument::OnlineReceiver::valueShown, [&] { ++shown; });
    online.optOnline_Click();
    shell::waitUntil([&] { return !b.prog.st.link.CheckConnect; }, 5000);
    ASSERT_FALSE(b.prog.st.link.CheckConnect);
    ASSERT_GT(shown, 3);
    EXPECT_EQ(b.rows(2), shown);
    QString text;
    reports::MesFile::read(b.prog.st.edition.MessDataPath + "/Online.mes", text);
    const auto rows = reports::MesReader::parse(shell::TextFile::splitLines(text), "1").rows;
    ASSERT_EQ(int(rows.size()), shown);
    EXPECT_DOUBLE_EQ(rows.back().wert, b.row(2, shown).wert);
}

TEST(Online, RunGoesOnWhenTheSameGaugeComesBack)
{
    testsupport::Sandbox sb;
    auto first = std::make_unique<SimulatedGauge>();
    START_SIM(*first, "--model", "RD", "--com", "7", "--online", "--interval", "40", "--fast");
    Program p(sb, "RD", Program::Line::Real);
    p.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    ASSERT_TRUE(p.start());
    p.main().takeTextFromUser(Main::ComboPort, "COM7");
    p.link().ComboPort_Change();
    p.link().cmdConnect_Click();
    ASSERT_TRUE(p.st.link.CheckConnect);
    instrument::OnlineReceiver& online = p.session->online();
    online.optOnline_Click();
    shell::waitUntil([&] { return p.table().Messdaten.rowCount(2) >= 5; }, 5000);

    // The gauge goes away (a Bluetooth link dropping): the run waits for it, and says so.
    first->command("unplug");
    shell::waitUntil([&] { return online.waitingForTheGauge(); }, 5000);
    ASSERT_TRUE(online.waitingForTheGauge());
    EXPECT_TRUE(p.main().isVisible(Main::cmdCancel));
    EXPECT_TRUE(p.main().text(Main::txtWait).startsWith("Verbindung verloren"));
    const int before = p.table().Messdaten.rowCount(2);
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
    QString text;
    reports::MesFile::read(p.st.edition.MessDataPath + "/Online.mes", text);
    EXPECT_GE(reports::MesReader::parse(shell::TextFile::splitLines(text), "1").rows.size(), size_t(before + 5));
    // Waiting and resuming are told in the status line; no box interrupts the inspector.
    EXPECT_TRUE(p.dialogs.shown.isEmpty()) << p.dialogs.texts().join('|').toStdString();
}
