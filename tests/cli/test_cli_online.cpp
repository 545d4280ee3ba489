#include "CliProcess.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "export/MesReader.h"
#include "shell/TextFile.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kRondoData = QStringLiteral("/Varnotek/RONDO TRANSFER");

std::vector<reports::MesReader::Row> rowsOf(const QString& path)
{
    const QString text = shell::TextFile::decode(testsupport::Sandbox::readFile(path));
    return reports::MesReader::parse(shell::TextFile::splitLines(text), QStringLiteral("1")).rows;
}

} // namespace

TEST(CliOnline, CountEndsTheRunAndTheFilesHoldEveryValue)
{
    testsupport::Sandbox sb;
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--online", "--interval", "40", "--ym", "--fast");
    const QString out = sb.root() + "/out";
    const CliRun r = CliRun::run({"online", "--port", "COM7", "--count", "6", "--out", out, "--lang", "en"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.outLines();
    // One line per value as the memory display shows it ("ym" as "µm"), then the statistics list.
    ASSERT_GE(lines.size(), 6 + 9);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(lines[i].endsWith(QStringLiteral("µm  "))) << lines[i].toStdString();
    EXPECT_EQ(lines[6], "ONLINE");
    EXPECT_TRUE(lines.contains(QStringLiteral("Number                 6")));

    const auto written = rowsOf(out + "/online.mes");
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(written.back().nr, 6);
    EXPECT_DOUBLE_EQ(written.front().wert, lines[0].left(10).trimmed().toDouble());
    // "E" values were saved as they came, as the program does.
    EXPECT_EQ(rowsOf(sb.data() + kRondoData + "/Online.mes").size(), 6u);
}

TEST(CliOnline, SwitchOffEndsWithStatusSixAndTheValuesThatCame)
{
    testsupport::Sandbox sb;
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "VX5", "--com", "5", "--online", "--interval", "30", "--switch-off-after", "4",
              "--fast");
    const QString out = sb.root() + "/out";
    const CliRun r = CliRun::run({"online", "--port", "COM5", "--edition", "VX5", "--out", out});
    EXPECT_EQ(r.exitCode, 6) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Gerät nicht verfügbar !")) << r.err.toStdString();
    EXPECT_EQ(rowsOf(out + "/online.mes").size(), 4u);
}

TEST(CliOnline, SignalEndsTheRunAndSilenceIsATimeout)
{
    testsupport::Sandbox sb;
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "QL7", "--com", "4", "--interval", "50", "--fast");
    const QString out = sb.root() + "/out";
    QProcess p;
    p.start(CliRun::program(), {"online", "--port", "COM4", "--edition", "QL7", "--out", out});
    ASSERT_TRUE(p.waitForStarted(5000));
    // Wait for a few values, then stop it as a user would with Ctrl+C.
    QByteArray seen;
    while (seen.count('\n') < 3 && p.waitForReadyRead(5000))
        seen += p.readAllStandardOutput();
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_GE(rowsOf(out + "/online.mes").size(), 3u);
    gauge.stop();

    // A gauge that sends nothing: the run ends after the timeout with status 4.
    SimulatedGauge silent;
    START_SIM(silent, "--model", "VX5", "--com", "6", "--fast");
    const CliRun r = CliRun::run({"online", "--port", "COM6", "--edition", "VX5", "--timeout", "1"});
    EXPECT_EQ(r.exitCode, 4) << r.err.toStdString();
    EXPECT_LT(r.ms, 8000);
}

TEST(CliOnline, KilledRunLeavesEveryShownValueInOnlineMes)
{
    // A value is printed only once Online.mes holds it: whatever was shown before a kill is on disk.
    testsupport::Sandbox sb;
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--online", "--interval", "30", "--fast");
    QProcess p;
    p.start(CliRun::program(), {"online", "--port", "COM7"});
    ASSERT_TRUE(p.waitForStarted(5000));
    QByteArray seen;
    while (seen.count('\n') < 8 && p.waitForReadyRead(5000))
        seen += p.readAllStandardOutput();
    ::kill(pid_t(p.processId()), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(5000));
    seen += p.readAllStandardOutput();
    const int shown = int(seen.count('\n'));
    ASSERT_GE(shown, 8);
    EXPECT_GE(rowsOf(sb.data() + kRondoData + "/Online.mes").size(), size_t(shown));
}
