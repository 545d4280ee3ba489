#include "FakeLine.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "link/QtSerialLayer.h"
#include "shell/Wait.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

using instrument::LinkSession;

namespace {

// The program of one edition and a simulated gauge on COM<com>, connected through the real serial layer.
struct Bench {
    Program prog;
    SimulatedGauge gauge;
    std::unique_ptr<instrument::QtSerialLayer> layer;
    std::unique_ptr<LinkSession> link;
    int memoryReads = 0;
    int onlineStarts = 0;

    Bench(const QString& edition, const QStringList& simOptions, int com = 7) : prog(edition)
    {
        if (!gauge.start(simOptions + QStringList{QStringLiteral("--com"), QString::number(com)}))
            return;
        layer = std::make_unique<instrument::QtSerialLayer>();
        link = std::make_unique<LinkSession>(prog.st, *prog.shell, *layer);
        link->hooks().readMemories = [this] { ++memoryReads; };
        link->hooks().startOnline = [this] { ++onlineStarts; };
        prog.start(*link);
    }
    bool ready() const { return link != nullptr; }

    // Chooses the listed entry of COM<com> and presses "Verbinden".
    void connect(int com = 7)
    {
        const QString name = QStringLiteral("COM") + QString::number(com);
        for (const QString& entry : prog.main().items(QStringLiteral("ComboPort")))
            if (entry.startsWith(name + QLatin1Char(' ')) || entry.startsWith(name + QStringLiteral("BTH")) ||
                entry.startsWith(name + QStringLiteral("VCP")))
                prog.main().setText(QStringLiteral("ComboPort"), entry);
        link->ComboPort_Change();
        link->cmdConnect_Click();
    }
    // Lets the line's events run for a while.
    static void settle(int ms)
    {
        shell::waitUntil([] { return false; }, ms);
    }
};

void expectDisconnectedLook(shell::FormState& f)
{
    EXPECT_TRUE(f.isVisible(QStringLiteral("ComboPort")));
    EXPECT_TRUE(f.isVisible(QStringLiteral("cmdConnect")));
    EXPECT_EQ(f.text(QStringLiteral("cmdConnect")), QStringLiteral("Verbinden"));
    EXPECT_FALSE(f.isVisible(QStringLiteral("picBth")));
    EXPECT_FALSE(f.isVisible(QStringLiteral("picUsb")));
    EXPECT_FALSE(f.isEnabled(QStringLiteral("cmdLesFE")));
    EXPECT_FALSE(f.isEnabled(QStringLiteral("cmdLesen")));
}

} // namespace

TEST(Connect, BluetoothGaugeThenSwitchOff)
{
    Bench b(QStringLiteral("RD"), {QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--fast")});
    if (!b.ready())
        GTEST_SKIP() << b.gauge.error().toStdString();
    shell::FormState& f = b.prog.main();
    ASSERT_TRUE(f.items(QStringLiteral("ComboPort")).contains(QStringLiteral("COM7 BTH simulated gauge")));
    b.connect();

    shell::AppState& st = b.prog.st;
    EXPECT_TRUE(st.CheckConnect);
    EXPECT_EQ(st.portNumber.trimmed(), QStringLiteral("7"));
    EXPECT_EQ(st.geraet, QStringLiteral("FNB"));
    EXPECT_EQ(st.memoryMode, QStringLiteral("2N"));
    EXPECT_EQ(st.memory1Count, 25);
    EXPECT_EQ(st.memory2Count, 12);
    EXPECT_EQ(b.memoryReads, 1);
    EXPECT_EQ(b.onlineStarts, 0);
    EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Verbunden"));
    EXPECT_EQ(f.text(QStringLiteral("Frame2")), QStringLiteral("Com-Port(COM7)"));
    EXPECT_TRUE(f.isVisible(QStringLiteral("picBth")));
    EXPECT_FALSE(f.isVisible(QStringLiteral("picUsb")));
    EXPECT_FALSE(f.isVisible(QStringLiteral("ComboPort")));
    EXPECT_FALSE(f.isVisible(QStringLiteral("cmdConnect")));
    EXPECT_TRUE(f.isEnabled(QStringLiteral("cmdLesen")));
    EXPECT_EQ(testsupport::Sandbox::readFile(st.AppDataPath + QStringLiteral("/Port.ini")), QByteArray("7\r\n"));
    EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());

    // The gauge switches itself off while idle.
    b.gauge.command("off");
    shell::waitUntil([&] { return !st.CheckConnect; }, 3000);
    EXPECT_FALSE(st.CheckConnect);
    EXPECT_FALSE(st.abgeschaltet);
    EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Gerät nicht verfügbar !"));
    expectDisconnectedLook(f);
}

TEST(Connect, CableGaugeProbeAnsweredOrSilent)
{
    {
        Bench b(QStringLiteral("FT"), {QStringLiteral("--model"), QStringLiteral("FT"), QStringLiteral("--fast")}, 12);
        if (!b.ready())
            GTEST_SKIP() << b.gauge.error().toStdString();
        b.prog.main().setText(QStringLiteral("ComboPort"), QStringLiteral("COM12   "));
        b.link->cmdConnect_Click();
        EXPECT_TRUE(b.prog.st.CheckConnect);
        EXPECT_EQ(b.prog.st.geraet, QStringLiteral("FTS"));
        EXPECT_TRUE(b.prog.main().isVisible(QStringLiteral("picUsb")));
        EXPECT_EQ(b.memoryReads, 1);
    }
    {
        Bench b(QStringLiteral("FT"),
                {QStringLiteral("--model"), QStringLiteral("FT"), QStringLiteral("--fault"), QStringLiteral("silent")});
        if (!b.ready())
            GTEST_SKIP() << b.gauge.error().toStdString();
        QElapsedTimer clock;
        clock.start();
        b.connect();
        const qint64 ms = clock.elapsed();
        EXPECT_GE(ms, 3900);
        EXPECT_LT(ms, 6500);
        EXPECT_FALSE(b.prog.st.CheckConnect);
        EXPECT_TRUE(b.prog.st.abgeschaltet);
        EXPECT_TRUE(b.layer->isOpen());
        EXPECT_EQ(b.prog.main().text(QStringLiteral("txtWait")), QStringLiteral("Nicht Verbunden"));
        EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("txtSpeicher")));
        EXPECT_EQ(b.memoryReads, 0);
        EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());
    }
}

TEST(Connect, EscapeEndsTheProbeAndTheGaugeCountsAsPresent)
{
    Bench b(QStringLiteral("QL7"),
            {QStringLiteral("--model"), QStringLiteral("QL7"), QStringLiteral("--fault"), QStringLiteral("silent")});
    if (!b.ready())
        GTEST_SKIP() << b.gauge.error().toStdString();
    // One Escape for the probe, one for the identification (which has no time limit).
    QTimer::singleShot(300, [] { shell::EscapeWatcher::instance().press(); });
    QTimer::singleShot(900, [] { shell::EscapeWatcher::instance().press(); });
    QElapsedTimer clock;
    clock.start();
    b.connect();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(b.prog.st.CheckConnect);
    EXPECT_EQ(b.onlineStarts, 1); // no memory: online mode follows

    // Delay waits whole seconds, but Escape ends it as it ends every wait.
    QTimer::singleShot(100, [] { shell::EscapeWatcher::instance().press(); });
    clock.restart();
    b.link->Delay(30);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(Connect, UnpluggedGaugeIsHandledOnce)
{
    Bench b(QStringLiteral("RD"), {QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--fast")});
    if (!b.ready())
        GTEST_SKIP() << b.gauge.error().toStdString();
    b.connect();
    ASSERT_TRUE(b.prog.st.CheckConnect);
    b.prog.main().setText(QStringLiteral("ComboPort"), QStringLiteral("COM7"));

    b.gauge.command("unplug");
    shell::waitUntil([&] { return b.link->linkErrors() > 0; }, 3000);
    Bench::settle(500); // time for a loop of further errors, which must not come
    EXPECT_EQ(b.link->linkErrors(), 1);
    EXPECT_FALSE(b.layer->isOpen());
    EXPECT_FALSE(b.prog.st.CheckConnect);
    EXPECT_EQ(b.prog.main().text(QStringLiteral("Frame2")), QStringLiteral("Com-Port"));
    expectDisconnectedLook(b.prog.main());
    // The port's disappearance is announced once, as the port text names it exactly.
    int boxes = 0;
    for (const QString& text : b.prog.dialogs.texts())
        boxes += text == QStringLiteral("Verbindungsabbruch wegen COM7 Unplugged\r\n");
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(b.prog.log().count(QStringLiteral("COM7: ")), 1);
}

TEST(Connect, PortsThatCannotOpen)
{
    Program prog(QStringLiteral("VX5"));
    FakeLine line;
    LinkSession link(prog.st, *prog.shell, line);
    prog.start(link);
    shell::FormState& f = prog.main();

    // Permission: one box a Linux user can act on, logged; one retry of the whole opening.
    line.openResult = instrument::OpenError::PermissionDenied;
    f.setText(QStringLiteral("ComboPort"), QStringLiteral("COM3"));
    link.cmdConnect_Click();
    EXPECT_EQ(line.opens, 2);
    ASSERT_EQ(prog.dialogs.shown.size(), 1);
    EXPECT_TRUE(prog.dialogs.shown.at(0).text.contains(QStringLiteral("dialout")));
    EXPECT_TRUE(prog.log().contains(QStringLiteral("dialout")));
    EXPECT_FALSE(prog.st.CheckConnect);

    // Missing device: the unavailable look.
    line.openResult = instrument::OpenError::Unavailable;
    prog.dialogs.shown.clear();
    link.cmdConnect_Click();
    EXPECT_TRUE(prog.dialogs.shown.isEmpty());
    EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Gerät nicht verfügbar !"));
    expectDisconnectedLook(f);

    // EM while the probe waits: the gauge is not available.
    line.openResult = instrument::OpenError::None;
    line.answers[QStringLiteral("$kova00$")] = QString(QChar(25));
    link.cmdConnect_Click();
    EXPECT_FALSE(prog.st.CheckConnect);
    EXPECT_FALSE(prog.st.abgeschaltet);
    EXPECT_EQ(f.text(QStringLiteral("txtWait")), QStringLiteral("Gerät nicht verfügbar !"));
}
