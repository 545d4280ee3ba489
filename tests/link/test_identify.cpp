#include "FakeLine.h"
#include "Program.h"
#include "link/LinkSession.h"
#include "shell/Controls.h"
#include "shell/DeviceInfo.h"
#include "shell/Wait.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace Info = ctl::frmInfo;

namespace {

// An open fake line that answers the identification with the given text.
struct Identified {
    Program prog{"RD"};
    FakeLine& line = prog.line();
    instrument::LinkSession& link = prog.link();

    Identified()
    {
        prog.start();
        line.open(1);
    }
    void answer(const QString& text)
    {
        line.answers["$kova00$"] = text;
        link.ReadGeraet();
    }
};

const QString kEot = QString(QChar(4));

} // namespace

TEST(Identification, LinesCountsByModeAndBrokenAnswers)
{
    Identified id;
    shell::AppState& st = id.prog.st;
    // Every field of a full answer; the command as sent.
    id.answer("FN-B SN 1\r\nVD: 2.14 \r\nM1:25\r\nM2:7\r\nAD:00:1A:7D\r\nPT: F3 \r\nVP:1.07\r\nXX:1\r\n" + kEot);
    EXPECT_EQ(id.line.sent, QStringList{"$kova00$\r\n"});
    const shell::DeviceIdentity& d = st.device;
    EXPECT_EQ(QStringList({d.geraet, d.geraetesoftware, d.macadr, d.sondentyp, d.sondenversion}),
              QStringList({"FNB", "2.14", "00:1A:7D", "F3", "1.07"}));
    EXPECT_EQ(QList<int>({d.memory1Count, d.memory2Count, d.speichernr}), QList<int>({25, 7, 2}));
    EXPECT_EQ(st.messart, shell::Messart::Geraeteinfo);
    EXPECT_TRUE(id.prog.dialogs.shown.isEmpty());
    // The info window shows the model with its variant.
    shell::fillDeviceInfo(st);
    EXPECT_EQ(st.forms[Info::form].text(Info::txtGeraet), "RONDO (FN-B)");

    // No "M" lines: the counts stay.
    id.answer("FE-B\r\nVD:3.0\r\n" + kEot);
    EXPECT_EQ(d.geraet, "FEB");
    EXPECT_EQ(std::pair(d.memory1Count, d.memory2Count), std::pair(25, 7));

    // Mode "3": any memory number counts as memory 1; "2" only memory 2 for M2.
    st.device.memoryMode = "3 ";
    id.answer("VX-2\r\nM2:9\r\n" + kEot);
    EXPECT_EQ(std::pair(d.memory1Count, d.memory2Count), std::pair(9, 7));
    st.device.memoryMode = "2E";
    id.answer("FE-B\r\nM96:96\r\nM2:4\r\n" + kEot);
    EXPECT_EQ(std::pair(d.memory1Count, d.memory2Count), std::pair(9, 4));

    // Broken answers give the failure box and change no count.
    st.device.memory1Count = 3;
    // No "-" in the first line: nothing after it is read.
    id.answer("GARBAGE\r\nM1:40\r\n" + kEot);
    ASSERT_EQ(id.prog.dialogs.shown.size(), 1);
    const QString box = id.prog.dialogs.shown.at(0).text;
    EXPECT_TRUE(box.startsWith("ReadGeraet: ")) << box.toStdString();
    EXPECT_TRUE(id.prog.log().contains(box + "\r\n"));
    EXPECT_EQ(st.device.memory1Count, 3);

    // A count that is no number (NaN and infinity neither), a memory line without ":", a count beyond 16 bits:
    // one box each.
    for (const char* answer : {"FN-B\r\nM1:lots\r\n", "FN-B\r\nM1 40\r\n", "FN-B\r\nM1:99999\r\n", "FN-B\r\nM1:nan\r\n",
                               "FN-B\r\nM1:-inf\r\n", "FN-B\r\nMnan:4\r\n"}) {
        id.prog.dialogs.shown.clear();
        id.answer(answer + kEot);
        EXPECT_EQ(id.prog.dialogs.shown.size(), 1) << answer;
        EXPECT_EQ(st.device.memory1Count, 3) << answer;
    }

    // Half an answer and no EOT: Escape ends the wait, what came is parsed.
    id.prog.dialogs.shown.clear();
    QTimer::singleShot(100, [] { shell::EscapeWatcher::instance().press(); });
    id.answer("FN-B\r\nVD:9.9\r\nM1:1");
    EXPECT_EQ(st.device.geraetesoftware, "9.9");
    EXPECT_EQ(st.device.memory1Count, 3);
    EXPECT_TRUE(id.prog.dialogs.shown.isEmpty());
}
