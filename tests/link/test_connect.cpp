#include "FakeLine.h"
#include "ReadBench.h"
#include "shell/Controls.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

namespace {

// Lets events run until cond holds or ms pass: the port list is refreshed without waking the program's waits.
bool eventually(const std::function<bool()>& cond, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!cond() && clock.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return cond();
}

void expectDisconnectedLook(shell::FormState& f)
{
    EXPECT_TRUE(f.isVisible(Main::ComboPort) && f.isVisible(Main::cmdConnect));
    EXPECT_FALSE((f.isVisible(Main::picBth) || f.isVisible(Main::picUsb)) ||
                 (f.isEnabled(Main::cmdLesFE) || f.isEnabled(Main::cmdLesen)));
}

} // namespace

TEST(Connect, BluetoothGaugeThenSwitchOff)
{
    ReadBench b("RD", sim("RD"), 7, false);
    START_OR_FAIL(b);
    shell::FormState& f = b.prog.main();
    b.connect();

    shell::AppState& st = b.prog.st;
    EXPECT_TRUE(st.link.CheckConnect);
    EXPECT_EQ(std::pair(b.memoryReads, b.onlineStarts), std::pair(1, 0));
    EXPECT_EQ(QStringList({f.text(Main::txtWait), f.text(Main::Frame2)}), QStringList({"Verbunden", "Com-Port(COM7)"}));
    EXPECT_TRUE((f.isVisible(Main::picBth) && !f.isVisible(Main::picUsb) && !f.isVisible(Main::cmdConnect)) &&
                f.isEnabled(Main::cmdLesen));
    EXPECT_EQ(testsupport::Sandbox::readFile(st.edition.AppDataPath + "/Port.ini"), QByteArray("7\r\n"));
    EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());

    // The gauge switches itself off while idle.
    b.gauge.command("off");
    shell::waitUntil([&] { return !st.link.CheckConnect; }, 3000);
    EXPECT_FALSE(st.link.CheckConnect || st.link.abgeschaltet);
    EXPECT_EQ(f.text(Main::txtWait), "Gerät nicht verfügbar !");
    expectDisconnectedLook(f);
}

// A device that is no gauge: the connect ends in bounded time, not connected, nothing read, and the box says why.
TEST(Connect, HostileDeviceEndsTheConnectWithItsReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"endless", "Kein Messgerät: es sendet mehr als 4096 Zeichen ohne Ende; Verbindung getrennt."},
        {"drip", "Das Gerät beendet seine Antwort nicht innerhalb von 2 s; nicht verbunden."},
        {"huge-count", "ReadGeraet: Überlauf"},
    };
    for (const auto& [fault, box] : cases) {
        ReadBench b("RD", sim("RD", {"--fault", fault}), 7, true);
        START_OR_FAIL(b);
        b.prog.link().setSilenceLimit(2000);
        QElapsedTimer clock;
        clock.start();
        b.connect();
        EXPECT_LT(clock.elapsed(), 4000) << fault;
        EXPECT_FALSE(b.prog.st.link.CheckConnect) << fault;
        EXPECT_EQ(b.memoryReads, 0) << fault;
        EXPECT_LE(b.prog.link().receiveBuffer().size(), instrument::LinkSession::kMaxIdentification) << fault;
        ASSERT_FALSE(b.prog.dialogs.shown.isEmpty()) << fault;
        EXPECT_TRUE(b.prog.dialogs.shown[0].text.startsWith(box)) << b.prog.dialogs.shown[0].text.toStdString();
    }
}

TEST(Connect, EscapeEndsTheProbeAndTheGaugeCountsAsPresent)
{
    ReadBench b("QL7", sim("QL7", {"--fault", "silent"}), 7, false);
    START_OR_FAIL(b);
    // One Escape for the probe: the gauge counts as present. One for the identification: the connect ends there,
    // not connected, and nothing follows.
    QTimer::singleShot(300, [] { shell::EscapeWatcher::instance().press(); });
    QTimer::singleShot(900, [&] {
        EXPECT_TRUE(b.prog.main().isVisible(Main::cmdCancel));
        shell::EscapeWatcher::instance().press();
    });
    QElapsedTimer clock;
    clock.start();
    b.connect();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(b.prog.st.link.CheckConnect || b.prog.main().isVisible(Main::cmdCancel) || b.onlineStarts);
    EXPECT_EQ(b.prog.main().text(Main::txtWait), "Verbinden abgebrochen");
}

TEST(Connect, UnpluggedGaugeIsHandledOnce)
{
    ReadBench b("RD", sim("RD"), 7, false);
    START_OR_FAIL(b);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);

    b.gauge.command("unplug");
    shell::waitUntil([&] { return b.prog.link().linkErrors() > 0; }, 3000);
    shell::waitUntil([] { return false; }, 500); // time for a loop of further errors, which must not come
    EXPECT_EQ(b.prog.link().linkErrors(), 1);
    EXPECT_FALSE(b.layer().isOpen() || b.prog.st.link.CheckConnect);
    expectDisconnectedLook(b.prog.main());
    // The port's disappearance is announced once, as the port text names it exactly.
    EXPECT_EQ(b.prog.dialogs.texts().count("Verbindungsabbruch wegen COM7 Unplugged\r\n"), 1);
    EXPECT_EQ(b.prog.log().count("COM7: "), 1);
}

TEST(Connect, PortsThatCannotOpen)
{
    Program prog("VX5");
    FakeLine& line = prog.line();
    instrument::LinkSession& link = prog.link();
    // The fake line has no memories: only the connection is looked at.
    prog.session->setAfterConnect(session::TransferSession::AfterConnect::Nothing);
    prog.start();
    shell::FormState& f = prog.main();

    // Permission: one box a Linux user can act on, logged; one retry of the whole opening.
    line.openResult = instrument::OpenError::PermissionDenied;
    f.setText(Main::ComboPort, "COM3");
    link.cmdConnect_Click();
    EXPECT_EQ(line.opens, 2);
    ASSERT_EQ(prog.dialogs.shown.size(), 1);
    EXPECT_TRUE(prog.dialogs.shown.at(0).text.contains("dialout") && prog.log().contains("dialout"));
    EXPECT_FALSE(prog.st.link.CheckConnect);

    // Missing device: the unavailable look, no box.
    line.openResult = instrument::OpenError::Unavailable;
    link.cmdConnect_Click();
    EXPECT_EQ(prog.dialogs.shown.size(), 1);
    EXPECT_EQ(f.text(Main::txtWait), "Gerät nicht verfügbar !");
    expectDisconnectedLook(f);

    // EM while the probe waits: the gauge is not available.
    line.openResult = instrument::OpenError::None;
    line.answers["$kova00$"] = QString(QChar(25));
    f.setText(Main::txtWait, "");
    link.cmdConnect_Click();
    EXPECT_FALSE(prog.st.link.CheckConnect || prog.st.link.abgeschaltet);
    EXPECT_EQ(f.text(Main::txtWait), "Gerät nicht verfügbar !");
}

TEST(Connect, PortListFollowsPortsThatComeAndGo)
{
    testsupport::Sandbox sb;
    Program p(sb, "RD", Program::Line::Real);
    ASSERT_TRUE(p.start());
    shell::FormState& f = p.main();
    EXPECT_TRUE(f.items(Main::ComboPort).isEmpty());
    const auto listed = [&](const QString& com) {
        for (const QString& entry : f.items(Main::ComboPort))
            if (entry.startsWith(com + ' '))
                return true;
        return false;
    };
    {
        SimulatedGauge seven;
        START_SIM(seven, "--model", "RD", "--com", "7", "--fast");
        ASSERT_TRUE(eventually([&] { return listed("COM7"); }));
        f.takeTextFromUser(Main::ComboPort, "COM7");
        p.link().ComboPort_Change();
        ASSERT_TRUE(f.isEnabled(Main::cmdConnect));

        // Another port comes: the choice stays.
        SimulatedGauge eight;
        START_SIM(eight, "--model", "RD", "--com", "8", "--fast");
        EXPECT_TRUE(eventually([&] { return listed("COM8"); }) &&
                    (f.text(Main::ComboPort) == "COM7" && f.isEnabled(Main::cmdConnect)));
    }
    // Both go: the list is empty again and the port box says so.
    EXPECT_TRUE(eventually([&] { return !listed("COM7") && !listed("COM8"); }));
    EXPECT_EQ(f.text(Main::ComboPort), QString());
    EXPECT_EQ(f.text(Main::txtWait), "Kein Com-Port verfügbar!");
}

TEST(Connect, QuittingDuringAReadSendsNothingMore)
{
    // Paced at the line's speed, so the read is still going on when the user quits.
    ReadBench b("RD", {"--model", "RD", "--count1", "2000"});
    START_OR_FAIL(b);
    int opens = 0;
    QTimer::singleShot(400, [&] {
        QObject::connect(&b.prog.main(), &shell::FormState::changed, [&](const QString& name) {
            if (name == Main::txtWait && b.layer().isOpen())
                ++opens;
        });
        b.prog.shell->mnuEnd_Click();
    });
    b.connect();
    EXPECT_TRUE(b.prog.link().shuttingDown() && !b.layer().isOpen());
    EXPECT_EQ(opens, 0);
    EXPECT_LT(b.rows(0), 2000);
    EXPECT_EQ(b.rows(1), 0);
}
