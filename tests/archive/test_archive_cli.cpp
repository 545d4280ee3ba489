// varnotek-cli and the archive: read keeps its memories, history lists and exports them as they were written, and
// an online run killed outright leaves every value it printed.
#include "CliProcess.h"
#include "SimulatedGauge.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

TEST(ArchiveCli, ReadIsListedAndExportedAsWrittenAndAKilledRunKeepsWhatItShowed)
{
    testsupport::Sandbox sb;
    writeReportSettings(sb);
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "5", "--count2", "3", "--fast");
    const QString out = sb.root() + "/out";
    CliRun r = CliRun::run({"read", "--port", "COM7", "--out", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(CliRun::run({"read", "--port", "COM7", "--out", out + "2", "--no-archive"}).exitCode, 0);

    r = CliRun::run({"history", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.outLines();
    ASSERT_EQ(lines.size(), 2) << r.out.toStdString(); // newest first: memory 2, then memory 1
    const QStringList first = lines[1].split('\t');
    ASSERT_EQ(first.size(), 7);
    EXPECT_EQ(first[2], "Speicher 1");
    EXPECT_FALSE(first[3].isEmpty());
    EXPECT_EQ(first[4], "5");
    EXPECT_EQ(lines[0].split('\t').value(4), "3");
    EXPECT_TRUE(CliRun::run({"history", "list", "--text", "no such gauge"}).out.isEmpty());
    EXPECT_EQ(CliRun::run({"history", "list", "--since", "2000-01-01", "--text", "fnb"}).outLines().size(), 2);

    // The archived series gives the file read wrote, and the clipboard text export makes of that file.
    const QString id = first[0];
    ASSERT_EQ(CliRun::run({"history", "export", id, "--to", "mes", "--out", sb.root() + "/a.mes"}).exitCode, 0);
    EXPECT_EQ(testsupport::Sandbox::readFile(sb.root() + "/a.mes"),
              testsupport::Sandbox::readFile(out + "/memory1.mes"));
    ASSERT_EQ(CliRun::run({"history", "export", id, "--to", "txt", "--out", sb.root() + "/a.txt"}).exitCode, 0);
    ASSERT_EQ(CliRun::run({"export", out + "/memory1.mes", "--to", "txt", "--out", sb.root() + "/f.txt"}).exitCode, 0);
    EXPECT_EQ(testsupport::Sandbox::readFile(sb.root() + "/a.txt"),
              testsupport::Sandbox::readFile(sb.root() + "/f.txt"));
    EXPECT_EQ(CliRun::run({"history", "show", "999"}).exitCode, 7);
    gauge.stop();

    SimulatedGauge live;
    START_SIM(live, "--model", "RD", "--com", "7", "--online", "--interval", "30", "--fast");
    QProcess p;
    p.start(CliRun::program(), {"online", "--port", "COM7"});
    ASSERT_TRUE(p.waitForStarted(5000));
    QByteArray seen;
    while (seen.count('\n') < 8 && p.waitForReadyRead(5000))
        seen += p.readAllStandardOutput();
    ::kill(pid_t(p.processId()), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(5000));
    seen += p.readAllStandardOutput();
    const QStringList shown = QString::fromUtf8(seen).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(shown.size(), 8);
    r = CliRun::run({"history", "list"});
    ASSERT_EQ(r.outLines().size(), 3) << r.out.toStdString();
    const QStringList run = r.outLines()[0].split('\t');
    EXPECT_EQ(run.value(2), "Online");
    EXPECT_GE(run.value(4).toInt(), shown.size());
    // Each value as it was shown, in order.
    const QStringList kept = CliRun::run({"history", "show", run[0]}).out.split("\n\n").value(1).split('\n');
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QStringList f = kept.value(i).split('\t');
        const QStringList display = shown[i].simplified().split(' ');
        EXPECT_DOUBLE_EQ(display.value(0).toDouble(), f.value(1).toDouble()) << i;
        EXPECT_EQ(display.value(1), f.value(2)) << i;
    }
}
