#include "ReadBench.h"
#include "shell/Controls.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

TEST(Read, RondoFnReadsBothMemoriesAfterConnecting)
{
    QTemporaryDir files;
    const QString m1 = files.path() + "/m1.txt";
    testsupport::Sandbox::writeFile(m1, "0.0125 mm Fe\n80.5 um NFe\n0 um\n# comment\n112.25\n");
    ReadBench b("RD", sim("RD", {"--memory1", m1, "--count2", "12"}));
    START_OR_FAIL(b);
    b.connect();
    shell::AppState& st = b.prog.st;
    shell::FormState& f = b.prog.main();
    ASSERT_TRUE(st.link.CheckConnect);
    EXPECT_EQ(b.caption(Main::cmdLesNFE), "NFE");

    // Memory 1 from the file: units normalised, the memory's material, a measured zero kept.
    ASSERT_EQ(std::pair(b.rows(0), b.rows(1)), std::pair(4, 12));
    EXPECT_DOUBLE_EQ(b.row(0, 1).wert, 12.5);
    EXPECT_EQ(std::pair(b.row(0, 3).wert, b.row(0, 3).nr), std::pair(0.0, qint16(3))); // a measured zero
    EXPECT_EQ(QStringList({b.row(0, 1).einheit, b.row(0, 2).material, b.row(1, 5).material}),
              QStringList({"µm  ", " Fe", "NFe"}));
    EXPECT_EQ(b.caption(Main::optFE), "FE-Speicher (4)");

    // Both memories read: the NFE view is shown with its statistics, the progress ran against the counts.
    EXPECT_EQ(st.messart, shell::Messart::Speicher2);
    EXPECT_TRUE(f.isChecked(Main::optNFE) && f.focused() == Main::optNFE);
    EXPECT_EQ(b.table().grid().Rows(), 13);
    EXPECT_FALSE(f.items(Main::lstStat).isEmpty() || f.isVisible(Main::prgLesen));
    EXPECT_TRUE(b.prog.dialogs.shown.isEmpty() && (b.progressMaxima.contains(4) && b.progressMaxima.contains(12)) &&
                b.progressValues.contains(12));

    // A read of memory 1 alone.
    b.prog.reader().cmdLesFE_Click();
    EXPECT_EQ(b.rows(0), 4);
    EXPECT_EQ(b.table().grid().Rows(), 5);
    EXPECT_EQ(f.focused(), Main::optFE);
}

// An empty memory: its message for a second, then READY, and the other memory is still read.
TEST(Read, EmptyMemoriesAndTheSecondFeMemory)
{
    {
        ReadBench b("RD", sim("RD", {"--variant", "FE-B", "--count1", "0", "--count2", "7"}));
        START_OR_FAIL(b);
        b.prog.shell->English_Click();
        b.connect();
        EXPECT_EQ(QStringList({b.caption(Main::cmdLesNFE), b.caption(Main::optNFE), b.row(1, 1).material}),
                  QStringList({"FE 2", "FE-Memory2 (7)", "NFe"})); // material mode 1: memory 2 is the NFe view
        const qsizetype empty = b.displayTexts.indexOf("Memory 1 has no data");
        ASSERT_GE(empty, 0);
        EXPECT_EQ(b.displayTexts.value(empty + 1), "READY");
    }
}

TEST(Read, OneMemoryEditions)
{
    {
        // A cable gauge: the probe is answered; the port text's blanks do not count; the material from the record.
        ReadBench b("FT", sim("FT", {"--material", "NFe"}), 12);
        START_OR_FAIL(b);
        b.prog.main().setText(Main::ComboPort, "COM12   ");
        b.prog.link().cmdConnect_Click();
        EXPECT_TRUE(b.prog.main().isVisible(Main::picUsb));
        EXPECT_EQ(b.row(0, 1).material, "NFe");
        EXPECT_EQ(b.caption(Main::optFE), "Speicher1 (25)");
        EXPECT_FALSE(b.prog.main().isVisible(Main::cmdLesFE) || b.prog.main().isVisible(Main::optNFE));
        EXPECT_TRUE(b.prog.main().isVisible(Main::cmdLesen));
    }
    {
        ReadBench b("FT", sim("FT", {"--select", "2"}), 12);
        START_OR_FAIL(b);
        b.connect(12);
        EXPECT_EQ(b.caption(Main::optFE), "Scan  (96)");
    }
    {
        ReadBench b("VX5", sim("VX5", {"--mean", "0", "--spread", "10"}), 12);
        START_OR_FAIL(b);
        b.connect(12);
        ASSERT_EQ(b.rows(0), 20);
        bool negative = false;
        for (int r = 1; r <= 20; ++r)
            negative = negative || b.row(0, r).wert < 0;
        EXPECT_TRUE(negative);
        EXPECT_EQ(b.row(0, 20).einheit, "A/cm");
        EXPECT_EQ(b.caption(Main::optFE), "Speicher (20)");
    }
}

TEST(Read, MoreThan5000RecordsAndDamagedAnswers)
{
    {
        ReadBench b("RD", sim("RD", {"--count1", "5001", "--count2", "0"}));
        START_OR_FAIL(b);
        b.connect();
        EXPECT_EQ(b.prog.dialogs.texts(), QStringList{"Maximale Werteanzahl überschritten 5000"});
        EXPECT_EQ(b.rows(0), 5000);
        EXPECT_EQ(b.row(0, 5000).nr, 5000);
    }
    {
        // Records split across two writes arrive whole.
        QTemporaryDir files;
        QByteArray values;
        for (int i = 1; i <= 25; ++i)
            values += QByteArray::number(i * 10 + 0.5) + " um\n";
        testsupport::Sandbox::writeFile(files.path() + "/m1.txt", values);
        ReadBench b("RD",
                    sim("RD", {"--fault", "split", "--split-pause", "60", "--memory1", files.path() + "/m1.txt"}));
        START_OR_FAIL(b);
        b.connect();
        ASSERT_EQ(b.rows(0), 25);
        for (int i = 1; i <= 25; ++i)
            EXPECT_DOUBLE_EQ(b.row(0, i).wert, i * 10 + 0.5);
        EXPECT_EQ(b.rows(1), 12);
    }
    {
        // Line noise among the records is skipped (and logged); every value arrives, no invented rows.
        ReadBench b("RD", sim("RD", {"--fault", "garbage", "--count1", "60"}));
        START_OR_FAIL(b);
        b.connect();
        ASSERT_EQ(b.rows(0), 60);
        for (int r = 1; r <= 60; ++r)
            EXPECT_EQ(b.row(0, r).nr, r);
        EXPECT_EQ(b.rows(1), 12);
        EXPECT_TRUE(b.prog.log().contains("unlesbare Zeilen") && b.prog.dialogs.shown.isEmpty());
    }
}

TEST(Read, EscapeCancelsALongReadAndKeepsNothing)
{
    // Paced: 2000 values take about 14 s on the line.
    ReadBench b("RD", {"--model", "RD", "--count1", "2000"});
    START_OR_FAIL(b);
    // Escape once the first values have come in.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (b.progressValues.value(b.progressValues.size() - 1) > 20) {
            watch.stop();
            shell::EscapeWatcher::instance().press();
        }
    });
    watch.start(20);
    b.connect();
    ASSERT_TRUE(b.prog.st.link.CheckConnect);
    EXPECT_TRUE(b.prog.reader().cancelled());
    EXPECT_EQ(std::tuple(b.rows(0), b.rows(1), b.table().grid().Rows()), std::tuple(0, 0, 1)); // memory 2 not read
    EXPECT_EQ(b.prog.main().text(Main::txtWait), "Einlesen abgebrochen, keine Werte übernommen");
    EXPECT_TRUE(b.prog.main().isEnabled(Main::cmdLesen) && !b.prog.main().isVisible(Main::prgLesen));
    EXPECT_EQ(b.progressMaxima.last(), 2000);
    EXPECT_LT(b.progressValues.last(), 2000);
}

TEST(Read, GaugeLostDuringTheAnswerKeepsWhatCame)
{
    for (const char* fault : {"unplug", "switch-off"}) {
        // Paced as on the line: a terminal closed all at once would take with it what the program had not read
        // yet, as the system drops a hung-up terminal's input.
        ReadBench b("RD", {"--model", "RD", "--fault", fault, "--count1", "400"});
        START_OR_FAIL(b);
        b.connect();
        shell::FormState& f = b.prog.main();
        EXPECT_FALSE(b.prog.st.link.CheckConnect) << fault;
        // Every whole record before the cut is kept, in order; memory 2 is not asked for.
        const int kept = b.rows(0);
        EXPECT_GT(kept, 50) << fault;
        EXPECT_LT(kept, 400) << fault;
        EXPECT_EQ(b.row(0, kept).nr, kept) << fault;
        EXPECT_EQ(b.rows(1), 0) << fault;
        const QString said =
            QStringLiteral("FE-Speicher: %1 von 400 Werten empfangen, Übertragung unterbrochen").arg(kept);
        EXPECT_TRUE(b.prog.dialogs.texts().contains(said)) << fault << b.prog.dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(b.prog.log().contains(said)) << fault;
        // The table's commands work, the reads wait for a gauge.
        EXPECT_TRUE(!f.isEnabled(Main::cmdLesen) && !f.isEnabled(Main::optOnline) && f.isEnabled(Main::cmdSave))
            << fault;
    }
}

TEST(Read, SilentGaugeEndsTheWaitsAndReadsAreCheckedAgainstTheCounts)
{
    {
        // Silent from the start: the identification ends after the silence limit; not connected, nothing read.
        ReadBench b("RD", sim("RD", {"--fault", "silent"}));
        START_OR_FAIL(b);
        b.prog.link().setSilenceLimit(600);
        b.connect();
        EXPECT_FALSE(b.prog.st.link.CheckConnect);
        EXPECT_EQ(b.memoryReads, 0);
        ASSERT_EQ(b.prog.dialogs.shown.size(), 1);
        EXPECT_TRUE(b.prog.dialogs.shown[0].text.startsWith("Das Gerät antwortet nicht"));
    }
    {
        // Records before the STX line: the answer holds none of the announced values, and the user is told.
        ReadBench b("RD", sim("RD", {"--fault", "records-before-stx"}));
        START_OR_FAIL(b);
        b.connect();
        EXPECT_EQ(b.rows(0), 0);
        EXPECT_TRUE(b.prog.dialogs.texts().contains("FE-Speicher: 0 Werte empfangen, angekündigt waren 25"))
            << b.prog.dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(b.prog.log().contains("NFE-Speicher: 0 Werte empfangen, angekündigt waren 12"));
    }
}
