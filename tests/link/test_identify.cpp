#include "FakeLine.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "link/QtSerialLayer.h"
#include "shell/DeviceInfo.h"
#include "shell/Wait.h"

#include <QTimer>

#include <gtest/gtest.h>

using instrument::LinkSession;

namespace {

const QString kEot = QString(QChar(4));

// An open fake line that answers the identification with the given text.
struct Identified {
    Program prog;
    FakeLine line;
    LinkSession link{prog.st, *prog.shell, line};

    explicit Identified(const QString& edition) : prog(edition)
    {
        prog.start(link);
        line.open(1);
    }
    void answer(const QString& text)
    {
        line.answers[QStringLiteral("$kova00$")] = text;
        link.ReadGeraet();
    }
};

} // namespace

TEST(Identification, LinesAndMemoryCountsByMode)
{
    Identified id(QStringLiteral("RD"));
    shell::AppState& st = id.prog.st;
    id.answer(
        QStringLiteral("FN-B SN 1\r\nVD: 2.14 \r\nM1:25\r\nM2:7\r\nAD:00:1A:7D\r\nPT: F3 \r\nVP:1.07\r\nXX:1\r\n") +
        kEot);
    EXPECT_EQ(id.line.sent, QStringList{QStringLiteral("$kova00$\r\n")});
    EXPECT_EQ(st.geraet, QStringLiteral("FNB"));
    EXPECT_EQ(st.geraetesoftware, QStringLiteral("2.14"));
    EXPECT_EQ(st.memory1Count, 25);
    EXPECT_EQ(st.memory2Count, 7);
    EXPECT_EQ(st.speichernr, 2);
    EXPECT_EQ(st.macadr, QStringLiteral("00:1A:7D"));
    EXPECT_EQ(st.sondentyp, QStringLiteral("F3"));
    EXPECT_EQ(st.sondenversion, QStringLiteral("1.07"));
    EXPECT_EQ(st.messart, 3);
    EXPECT_EQ(st.main().caption(), st.pgmname + QStringLiteral(" V3.1"));
    EXPECT_TRUE(id.prog.dialogs.shown.isEmpty());

    // The info window shows the model with its variant.
    shell::fillDeviceInfo(st);
    shell::FormState& info = st.forms[QStringLiteral("frmInfo")];
    EXPECT_EQ(info.text(QStringLiteral("txtGeraet")), QStringLiteral("RONDO (FN-B)"));
    EXPECT_EQ(info.text(QStringLiteral("txtGeraeteSoft")), QStringLiteral("2.14"));

    // No "M" lines: the counts stay.
    id.answer(QStringLiteral("FE-B\r\nVD:3.0\r\n") + kEot);
    EXPECT_EQ(st.geraet, QStringLiteral("FEB"));
    EXPECT_EQ(st.memory1Count, 25);
    EXPECT_EQ(st.memory2Count, 7);

    // Mode "3": any memory number counts as memory 1; mode "1" likewise; "2" only memory 2 for M2.
    st.memoryMode = QStringLiteral("3 ");
    id.answer(QStringLiteral("VX-2\r\nM2:9\r\n") + kEot);
    EXPECT_EQ(st.memory1Count, 9);
    EXPECT_EQ(st.memory2Count, 7);
    st.memoryMode = QStringLiteral("2E");
    id.answer(QStringLiteral("FE-B\r\nM96:96\r\nM2:4\r\n") + kEot);
    EXPECT_EQ(st.memory1Count, 9);
    EXPECT_EQ(st.memory2Count, 4);
    EXPECT_EQ(st.speichernr, 2);
}

TEST(Identification, BrokenAnswersGiveTheFailureBox)
{
    Identified id(QStringLiteral("RD"));
    shell::AppState& st = id.prog.st;
    st.memory1Count = 3;
    // No "-" in the first line: nothing after it is read.
    id.answer(QStringLiteral("GARBAGE\r\nM1:40\r\n") + kEot);
    ASSERT_EQ(id.prog.dialogs.shown.size(), 1);
    const QString box = id.prog.dialogs.shown.at(0).text;
    EXPECT_TRUE(box.startsWith(QStringLiteral("ReadGeraet: "))) << box.toStdString();
    EXPECT_TRUE(id.prog.log().contains(box + QStringLiteral("\r\n")));
    EXPECT_EQ(st.geraet, QStringLiteral("GARBAGE"));
    EXPECT_EQ(st.memory1Count, 3);

    // A count that is no number, a memory line without ":", a count beyond 16 bits: one box each.
    for (const char* answer : {"FN-B\r\nM1:lots\r\n", "FN-B\r\nM1 40\r\n", "FN-B\r\nM1:99999\r\n"}) {
        id.prog.dialogs.shown.clear();
        id.answer(QString::fromLatin1(answer) + kEot);
        EXPECT_EQ(id.prog.dialogs.shown.size(), 1) << answer;
        EXPECT_EQ(st.memory1Count, 3) << answer;
    }

    // Half an answer and no EOT: Escape ends the wait, what came is parsed.
    id.prog.dialogs.shown.clear();
    QTimer::singleShot(100, [] { shell::EscapeWatcher::instance().press(); });
    id.answer(QStringLiteral("FN-B\r\nVD:9.9\r\nM1:1"));
    EXPECT_EQ(st.geraetesoftware, QStringLiteral("9.9"));
    EXPECT_EQ(st.memory1Count, 3);
    EXPECT_TRUE(id.prog.dialogs.shown.isEmpty());
}

// Every model of the simulator, identified over a real pseudo-terminal.
TEST(Identification, EverySimulatedModel)
{
    struct Case {
        const char* model;
        const char* edition;
        const char* geraet;
        int count1;
        int count2;
    } cases[] = {{"RD", "RD", "FNB", 25, 12},  {"FT", "FT", "FTS", 25, 0},   {"VX1", "VX1", "VX1", 20, 0},
                 {"VX5", "VX5", "VX5", 20, 0}, {"VX2", "VX2", "VX2", 20, 0}, {"QL7", "QL7", "QL7", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Program prog(QString::fromLatin1(c.edition));
        SimulatedGauge gauge;
        if (!gauge.start({QStringLiteral("--model"), QString::fromLatin1(c.model), QStringLiteral("--com"),
                          QStringLiteral("9"), QStringLiteral("--fast")}))
            GTEST_SKIP() << gauge.error().toStdString();
        instrument::QtSerialLayer layer;
        LinkSession link(prog.st, *prog.shell, layer);
        prog.start(link);
        prog.st.portNumber = QStringLiteral("9");
        link.OpenComPort(9);
        ASSERT_TRUE(prog.st.CheckConnect);
        link.ReadGeraet();
        EXPECT_EQ(prog.st.geraet, QString::fromLatin1(c.geraet));
        EXPECT_EQ(prog.st.geraetesoftware, QStringLiteral("2.14"));
        EXPECT_EQ(prog.st.memory1Count, c.count1);
        EXPECT_EQ(prog.st.memory2Count, c.count2);
        EXPECT_EQ(prog.st.macadr, QStringLiteral("00:1A:7D:DA:71:13"));
        EXPECT_FALSE(prog.st.sondentyp.isEmpty());
        EXPECT_TRUE(prog.dialogs.shown.isEmpty());
    }
}
