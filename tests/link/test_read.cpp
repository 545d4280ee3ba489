#include "ReadBench.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList sim(const char* model, QStringList more = {})
{
    return QStringList{QStringLiteral("--model"), QString::fromLatin1(model), QStringLiteral("--fast")} + more;
}

#define START_OR_SKIP(b)                                                                                               \
    if (!(b).ready())                                                                                                  \
    GTEST_SKIP() << (b).gauge.error().toStdString()

} // namespace

TEST(Read, RondoFnReadsBothMemoriesAfterConnecting)
{
    QTemporaryDir files;
    const QString m1 =
        ReadBench::memoryFile(files, QStringLiteral("m1.txt"), "0.0125 mm Fe\n80.5 um NFe\n0 um\n# comment\n112.25\n");
    ReadBench b(QStringLiteral("RD"),
                sim("RD", {QStringLiteral("--memory1"), m1, QStringLiteral("--count2"), QStringLiteral("12")}));
    START_OR_SKIP(b);
    b.connect();
    shell::AppState& st = b.prog.st;
    shell::FormState& f = b.prog.main();
    ASSERT_TRUE(st.CheckConnect);
    EXPECT_EQ(st.memoryMode, QStringLiteral("2N"));
    EXPECT_EQ(b.caption("cmdLesFE"), QStringLiteral("FE"));
    EXPECT_EQ(b.caption("cmdLesNFE"), QStringLiteral("NFE"));
    EXPECT_TRUE(f.isVisible(QStringLiteral("cmdLesFE")));
    EXPECT_TRUE(f.isVisible(QStringLiteral("cmdLesNFE")));

    // Memory 1 from the file: units normalised, the memory's material, a measured zero kept.
    ASSERT_EQ(b.rows(0), 4);
    EXPECT_DOUBLE_EQ(b.row(0, 1).wert, 12.5);
    EXPECT_EQ(b.row(0, 1).einheit, QStringLiteral("µm  "));
    EXPECT_EQ(b.row(0, 1).material, QStringLiteral(" Fe"));
    EXPECT_EQ(b.row(0, 2).material, QStringLiteral(" Fe"));
    EXPECT_DOUBLE_EQ(b.row(0, 3).wert, 0);
    EXPECT_EQ(b.row(0, 3).nr, 3);
    EXPECT_DOUBLE_EQ(b.row(0, 4).wert, 112.25);
    EXPECT_EQ(b.rows(1), 12);
    EXPECT_EQ(b.row(1, 12).nr, 12);
    EXPECT_EQ(b.row(1, 5).material, QStringLiteral("NFe"));
    EXPECT_EQ(b.caption("optFE"), QStringLiteral("FE-Speicher (4)"));
    EXPECT_EQ(b.caption("optNFE"), QStringLiteral("NFE-Speicher (12)"));

    // Both memories read: FE is picked, then NFE; the NFE view is shown with its statistics.
    EXPECT_EQ(st.messart, 1);
    EXPECT_TRUE(f.isChecked(QStringLiteral("optNFE")));
    EXPECT_EQ(f.focused(), QStringLiteral("optNFE"));
    EXPECT_EQ(b.table->grid().Rows(), 13);
    EXPECT_TRUE(f.isVisible(QStringLiteral("lstStat")));
    EXPECT_FALSE(f.items(QStringLiteral("lstStat")).isEmpty());
    EXPECT_TRUE(f.isEnabled(QStringLiteral("cmdLesen")));
    EXPECT_TRUE(f.isVisible(QStringLiteral("cmdExcel")));
    EXPECT_FALSE(f.isVisible(QStringLiteral("prgLesen")));
    EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());
    // The progress ran against the announced counts.
    EXPECT_TRUE(b.progressMaxima.contains(4));
    EXPECT_TRUE(b.progressMaxima.contains(12));
    EXPECT_TRUE(b.progressValues.contains(12));

    // The Fe view again, then a read of memory 1 alone after the gauge's memory changed.
    b.table->optFE_Click();
    EXPECT_EQ(b.table->grid().Rows(), 5);
    b.reader->cmdLesFE_Click();
    EXPECT_EQ(b.rows(0), 4);
    EXPECT_EQ(st.messart, 0);
    EXPECT_EQ(f.focused(), QStringLiteral("optFE"));
}

TEST(Read, RondoFeHasTwoFeMemoriesAndEnglishEmptyMessage)
{
    ReadBench b(QStringLiteral("RD"),
                sim("RD", {QStringLiteral("--variant"), QStringLiteral("FE-B"), QStringLiteral("--count1"),
                           QStringLiteral("0"), QStringLiteral("--count2"), QStringLiteral("7")}));
    START_OR_SKIP(b);
    b.prog.shell->English_Click();
    b.connect();
    EXPECT_EQ(b.prog.st.memoryMode, QStringLiteral("2E"));
    EXPECT_EQ(b.caption("cmdLesFE"), QStringLiteral("FE 1"));
    EXPECT_EQ(b.caption("cmdLesNFE"), QStringLiteral("FE 2"));
    EXPECT_EQ(b.caption("optFE"), QStringLiteral("FE-Memory1 (0)"));
    EXPECT_EQ(b.caption("optNFE"), QStringLiteral("FE-Memory2 (7)"));
    EXPECT_EQ(b.rows(1), 7);
    EXPECT_EQ(b.row(1, 1).material, QStringLiteral("NFe")); // material mode 1: memory 2 is the NFe view
    // Memory 1 was empty: its message for a second, then READY; memory 2 was read after it.
    const qsizetype empty = b.displayTexts.indexOf(QStringLiteral("Memory 1 has no data"));
    ASSERT_GE(empty, 0);
    EXPECT_EQ(b.displayTexts.value(empty + 1), QStringLiteral("READY"));
    EXPECT_EQ(b.prog.st.messart, 1);
    EXPECT_EQ(b.prog.main().focused(), QStringLiteral("optNFE"));
}

TEST(Read, FeEmptyThenNfeAndBothEmpty)
{
    {
        ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--count1"), QStringLiteral("0")}));
        START_OR_SKIP(b);
        b.prog.shell->English_Click();
        b.connect();
        const qsizetype empty = b.displayTexts.indexOf(QStringLiteral("FE-Storage empty"));
        ASSERT_GE(empty, 0);
        EXPECT_EQ(b.displayTexts.value(empty + 1), QStringLiteral("READY"));
        EXPECT_EQ(b.rows(0), 0);
        EXPECT_EQ(b.rows(1), 12);
        EXPECT_EQ(b.caption("optNFE"), QStringLiteral("NFE-Memory (12)"));
    }
    {
        ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--count1"), QStringLiteral("0"),
                                                     QStringLiteral("--count2"), QStringLiteral("0")}));
        START_OR_SKIP(b);
        b.connect();
        // Once for each memory: "Speicher leer", then "BEREIT".
        EXPECT_EQ(b.displayTexts.count(QStringLiteral("Speicher leer")), 2);
        EXPECT_EQ(b.displayTexts.last(), QStringLiteral("BEREIT"));
        EXPECT_FALSE(b.displayTexts.contains(QStringLiteral("FE-Speicher leer!")));
        EXPECT_EQ(b.rows(0) + b.rows(1), 0);
        EXPECT_TRUE(b.prog.main().isEnabled(QStringLiteral("cmdLesen")));
        EXPECT_EQ(b.caption("optFE"), QStringLiteral("FE-Speicher (0)"));
    }
}

TEST(Read, FortaMaterialFromTheRecordAndScanMemory)
{
    {
        ReadBench b(QStringLiteral("FT"), sim("FT", {QStringLiteral("--material"), QStringLiteral("NFe")}), 12);
        START_OR_SKIP(b);
        b.connect(12);
        EXPECT_EQ(b.prog.st.memoryMode.trimmed(), QStringLiteral("3"));
        EXPECT_EQ(b.rows(0), 25);
        EXPECT_EQ(b.row(0, 1).material, QStringLiteral("NFe"));
        EXPECT_EQ(b.caption("optFE"), QStringLiteral("Speicher1 (25)"));
        EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("cmdLesFE")));
        EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("optNFE")));
        EXPECT_TRUE(b.prog.main().isVisible(QStringLiteral("cmdLesen")));
        EXPECT_EQ(b.prog.main().focused(), QStringLiteral("optFE"));
    }
    {
        ReadBench b(QStringLiteral("FT"), sim("FT", {QStringLiteral("--select"), QStringLiteral("2")}), 12);
        START_OR_SKIP(b);
        b.connect(12);
        EXPECT_EQ(b.prog.st.speichernr, 96);
        EXPECT_EQ(b.rows(0), 96);
        EXPECT_EQ(b.caption("optFE"), QStringLiteral("Scan  (96)"));
    }
}

TEST(Read, OneMemorySignedValuesAndNoMemory)
{
    {
        ReadBench b(QStringLiteral("VX5"),
                    sim("VX5", {QStringLiteral("--mean"), QStringLiteral("0"), QStringLiteral("--spread"),
                                QStringLiteral("10")}),
                    12);
        START_OR_SKIP(b);
        b.connect(12);
        ASSERT_EQ(b.rows(0), 20);
        bool negative = false;
        for (int r = 1; r <= 20; ++r) {
            negative = negative || b.row(0, r).wert < 0;
            EXPECT_EQ(b.row(0, r).einheit, QStringLiteral("A/cm"));
        }
        EXPECT_TRUE(negative);
        EXPECT_EQ(b.caption("optFE"), QStringLiteral("Speicher (20)"));
        EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("optNFE")));
    }
    {
        ReadBench b(QStringLiteral("QL7"), sim("QL7"), 12);
        START_OR_SKIP(b);
        b.connect(12);
        EXPECT_TRUE(b.prog.st.CheckConnect);
        EXPECT_EQ(b.onlineStarts, 1);
        EXPECT_EQ(b.rows(0), 0);
        for (const char* name : {"cmdLesen", "cmdLesFE", "cmdLesNFE", "optFE", "optNFE"})
            EXPECT_FALSE(b.prog.main().isVisible(QString::fromLatin1(name))) << name;
    }
}

TEST(Read, MoreThan5000Records)
{
    ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--count1"), QStringLiteral("5001"),
                                                 QStringLiteral("--count2"), QStringLiteral("0")}));
    START_OR_SKIP(b);
    b.connect();
    ASSERT_EQ(b.prog.dialogs.shown.size(), 1);
    EXPECT_EQ(b.prog.dialogs.shown[0].text, QStringLiteral("Maximale Werteanzahl überschritten 5000"));
    EXPECT_EQ(b.rows(0), 5000);
    EXPECT_EQ(b.row(0, 5000).nr, 5000);
    EXPECT_EQ(b.caption("optFE"), QStringLiteral("FE-Speicher (5000)"));
}

TEST(Read, DamagedAnswers)
{
    {
        // Records before the STX line are not data.
        ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--fault"), QStringLiteral("records-before-stx")}));
        START_OR_SKIP(b);
        b.connect();
        EXPECT_EQ(b.rows(0), 0);
        EXPECT_EQ(b.rows(1), 0);
    }
    {
        // Records split across two writes arrive whole.
        QTemporaryDir files;
        QByteArray values;
        for (int i = 1; i <= 25; ++i)
            values += QByteArray::number(i * 10 + 0.5) + " um\n";
        const QString m1 = ReadBench::memoryFile(files, QStringLiteral("m1.txt"), values);
        ReadBench b(QStringLiteral("RD"),
                    sim("RD", {QStringLiteral("--fault"), QStringLiteral("split"), QStringLiteral("--split-pause"),
                               QStringLiteral("60"), QStringLiteral("--memory1"), m1}));
        START_OR_SKIP(b);
        b.connect();
        ASSERT_EQ(b.rows(0), 25);
        for (int i = 1; i <= 25; ++i)
            EXPECT_DOUBLE_EQ(b.row(0, i).wert, i * 10 + 0.5);
        EXPECT_EQ(b.rows(1), 12);
    }
    {
        // Line noise among the records is skipped (and logged); every value arrives, no invented rows.
        ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--fault"), QStringLiteral("garbage"),
                                                     QStringLiteral("--count1"), QStringLiteral("60")}));
        START_OR_SKIP(b);
        b.connect();
        ASSERT_EQ(b.rows(0), 60);
        for (int r = 1; r <= 60; ++r)
            EXPECT_EQ(b.row(0, r).nr, r);
        EXPECT_EQ(b.rows(1), 12);
        EXPECT_TRUE(b.prog.log().contains(QStringLiteral("unlesbare Zeilen")));
        EXPECT_TRUE(b.prog.dialogs.shown.isEmpty());
    }
}

TEST(Read, EscapeCancelsALongReadAndKeepsNothing)
{
    // Paced: 2000 values take about 14 s on the line.
    ReadBench b(QStringLiteral("RD"),
                {QStringLiteral("--model"), QStringLiteral("RD"), QStringLiteral("--count1"), QStringLiteral("2000")});
    START_OR_SKIP(b);
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
    ASSERT_TRUE(b.prog.st.CheckConnect);
    EXPECT_TRUE(b.reader->cancelled());
    EXPECT_EQ(b.rows(0), 0);
    EXPECT_EQ(b.rows(1), 0); // memory 2 is not read after a cancel
    EXPECT_EQ(b.table->grid().Rows(), 1);
    EXPECT_EQ(b.prog.main().text(QStringLiteral("txtWait")),
              QStringLiteral("Einlesen abgebrochen, keine Werte übernommen"));
    EXPECT_TRUE(b.prog.main().isEnabled(QStringLiteral("cmdLesen")));
    EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("prgLesen")));
    // Progress showed part of the announced 2000.
    EXPECT_EQ(b.progressMaxima.last(), 2000);
    EXPECT_GT(b.progressValues.last(), 0);
    EXPECT_LT(b.progressValues.last(), 2000);
}

TEST(Read, GaugeLostDuringTheAnswer)
{
    for (const char* fault : {"unplug", "switch-off"}) {
        ReadBench b(QStringLiteral("RD"), sim("RD", {QStringLiteral("--fault"), QString::fromLatin1(fault),
                                                     QStringLiteral("--count1"), QStringLiteral("400")}));
        START_OR_SKIP(b);
        b.connect();
        EXPECT_FALSE(b.prog.st.CheckConnect) << fault;
        EXPECT_EQ(b.rows(0), 0) << fault;
        EXPECT_EQ(b.rows(1), 0) << fault;
        EXPECT_FALSE(b.prog.main().isVisible(QStringLiteral("prgLesen"))) << fault;
    }
}
