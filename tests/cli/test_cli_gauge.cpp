// varnotek-cli against the simulator: ports, identify, read and online, each compared with what the program does
// in this process, and their exit statuses.
#include "CliProcess.h"
#include "Program.h"
#include "SimulatedGauge.h"
#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace Main = ctl::frmTransfer;

namespace {

// The port list the program's own start-up fills for an edition, in this process and sandbox.
QStringList programPortList(testsupport::Sandbox& sb, const QString& edition)
{
    Program program(sb, edition, Program::Line::Real);
    program.start();
    return program.main().items(Main::ComboPort);
}

// Every file below a folder, relative to it.
QStringList filesBelow(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(folder).relativeFilePath(it.next());
    out.sort();
    return out;
}

// Reading time differs between two reads of the same memory; everything else must be equal.
QString withoutTimes(const QByteArray& file)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d"), QRegularExpression::MultilineOption);
    QString text = shell::TextFile::decode(file);
    return text.replace(time, QStringLiteral("hh:mm:ss"));
}

const auto rowsOf = Program::mesRows;

} // namespace

TEST(CliPorts, ListAsTheProgramForCableAndBluetoothEditions)
{
    testsupport::Sandbox sb;
    SimulatedGauge cable, bluetooth;
    START_SIM(cable, "--model", "VX5", "--com", "5");
    START_SIM(bluetooth, "--model", "RD", "--com", "7");

    const CliRun k = CliRun::run({"ports", "--edition", "VX5"});
    ASSERT_EQ(k.exitCode, 0) << k.err.toStdString();
    EXPECT_EQ(k.outLines(), programPortList(sb, QStringLiteral("VX5")));
    EXPECT_TRUE(k.outLines().contains("COM5 VCP simulated gauge")) << k.out.toStdString();
    EXPECT_FALSE(k.out.contains("COM7"));
    // Without --edition, the edition of Konfi.ini beside the tool: install_tree (check_install.sh) lists the RONDO
    // edition's Bluetooth gauge with the installed tool.
}

TEST(CliIdentify, TwoModelsPrintTheIdentityAndWriteNoSettings)
{
    testsupport::Sandbox sb;
    {
        SimulatedGauge rondo;
        START_SIM(rondo, "--model", "RD", "--com", "7", "--variant", "FE-B", "--firmware", "3.01", "--mac",
                  "11:22:33:44:55:66", "--probe", "FX9", "--probe-version", "2.2", "--count1", "4", "--count2", "3");
        const CliRun r = CliRun::run({"identify", "--port", "COM7"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.outLines(),
                  (QStringList{"geraet: FEB", "geraetesoftware: 3.01", "memory1Count: 4", "memory2Count: 3",
                               "macadr: 11:22:33:44:55:66", "sondentyp: FX9", "sondenversion: 2.2", "memoryMode: 2E"}));
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    // Nothing but the simulator's port line: no Port.ini, Limit.ini, Language.ini, project files or log.
    EXPECT_EQ(filesBelow(sb.config()), QStringList{QStringLiteral("Varnotek/Ports.ini")});
    EXPECT_EQ(filesBelow(sb.data()), QStringList());
}

TEST(CliIdentify, BoxesGoToStandardErrorInTheChosenLanguageAndToTheLog)
{
    testsupport::Sandbox sb;
    SimulatedGauge rondo;
    START_SIM(rondo, "--model", "RD", "--com", "7");
    const QString appData = sb.config() + kAppData;
    const QByteArray brokenLimits = ";5;0;\r\n";
    testsupport::Sandbox::writeFile(appData + QStringLiteral("/Limit.ini"), brokenLimits);

    const CliRun en = CliRun::run({"identify", "--port", "COM7", "--lang", "en"});
    EXPECT_EQ(en.exitCode, 0) << en.err.toStdString();
    EXPECT_TRUE(en.err.startsWith(QString("problems reading file  Limit.ini: "))) << en.err.toStdString();
    const CliRun de = CliRun::run({"identify", "--port", "COM7", "--lang", "de"});
    EXPECT_TRUE(de.err.startsWith(QString("Probleme beim Lesen Datei Limit.ini: "))) << de.err.toStdString();

    // The log holds the program's error lines only, one per run; the broken file is left as it was.
    const QString log = shell::TextFile::decode(testsupport::Sandbox::readFile(appData + "/Varnotek_TransferLog.txt"));
    EXPECT_EQ(log, QString("problems reading file  Limit.ini: \r\nProbleme beim Lesen Datei Limit.ini: \r\n"));
    EXPECT_EQ(testsupport::Sandbox::readFile(appData + QStringLiteral("/Limit.ini")), brokenLimits);
}

TEST(CliIdentify, SilentGaugeAndUnknownPortAreNotConnected)
{
    testsupport::Sandbox sb;
    SimulatedGauge silent;
    START_SIM(silent, "--model", "VX5", "--com", "5", "--fault", "silent");

    // The probe of a cable edition gives up after 4 whole seconds.
    const CliRun r = CliRun::run({"identify", "--port", "COM5", "--edition", "VX5", "--lang", "en"});
    EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
    EXPECT_GE(r.ms, 4000);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral("COM5: not connected\n"));

    const CliRun missing = CliRun::run({"identify", "--port", "COM9", "--edition", "VX5", "--lang", "en"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.err, QStringLiteral("COM9: Please select valid COM-Port !\n"));
}

// A device that is no gauge (the simulator's hostile faults): every run ends in bounded time and memory, with its
// message and exit status, and what came whole before the bound is written.
TEST(CliHostileGauge, EveryFaultEndsBoundedWithItsStatus)
{
    const struct {
        const char* fault;
        QStringList cli;
        int exit;
        int maxMs;
        const char* err;
        const char* written; // a file of the output folder that must hold values
        const char* out = "";
    } cases[] = {
        {"endless", {"identify"}, 9, 8000, "more than 4096 characters", nullptr},
        {"endless-memory", {"read", "--out"}, 9, 8000, "of 25 values received; the answer is longer", "memory1.mes"},
        {"drip", {"identify", "--timeout", "2"}, 4, 5000, "does not finish its answer within 2 s", nullptr},
        {"drip", {"online", "--seconds", "2"}, 4, 5000, "within 2 s", nullptr},
        {"no-line-end", {"online"}, 9, 8000, "more than 512 characters", nullptr},
        {"huge-count", {"read", "--out"}, 9, 8000, "ReadGeraet: Overflow", nullptr},
        {"nan", {"read", "--out"}, 9, 8000, "FE-Memory: 8 records without a valid value", "memory2.mes"},
        // The terminal commands in the firmware text are shown, not sent.
        {"control-chars", {"identify"}, 0, 8000, "", nullptr, "2.14\\x1B]0;owned\\x07\\x1B]52;c;cHduZWQ=\\x07"},
    };
    for (const auto& c : cases) {
        testsupport::Sandbox sb;
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--fast", "--online", "--interval", "10", "--fault", c.fault);
        const QString dir = sb.root() + QStringLiteral("/out");
        QStringList args = c.cli + QStringList{"--port", "COM7", "--lang", "en"};
        if (args.contains("--out"))
            args.insert(args.indexOf("--out") + 1, dir);
        // 400 MB of address space: an answer collected without bound ends the run long before the time does.
        const CliRun r = CliRun::run(args, 20000, 400 << 20);
        const std::string what = std::string(c.fault) + " " + c.cli.first().toStdString() + ": " + r.err.toStdString();
        EXPECT_EQ(r.exitCode, c.exit) << what;
        EXPECT_LT(r.ms, c.maxMs) << what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << what;
        if (c.written) {
            EXPECT_GE(rowsOf(dir + "/" + c.written).size(), size_t(4)) << what;
        }
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.out))) << what << r.out.toStdString();
        // Nothing of the gauge's text reaches the terminal as a command.
        EXPECT_FALSE(r.out.contains(QChar(0x1B)) || r.err.contains(QChar(0x1B))) << what;
    }
}

TEST(CliRead, BothMemoriesAreWhatTheProgramSaves)
{
    // German numbers and dates, English texts, limits and project data: every setting the report depends on.
    testsupport::Sandbox sb("de_DE.UTF-8");
    writeReportSettings(sb);
    testsupport::Sandbox::writeFile(sb.config() + kAppData + "/Language.ini", "1\r\n");
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "25", "--count2", "12", "--seed", "7", "--fast");

    const QString out = sb.root() + QStringLiteral("/out");
    const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // The program in this process, as its main window drives it: connect reads both memories, Save writes the view.
    Program program(sb, QStringLiteral("RD"), Program::Line::Real);
    ASSERT_TRUE(program.start());
    program.connect(7);
    ASSERT_EQ(program.table().Messdaten.rowCount(0), 25);
    ASSERT_EQ(program.table().Messdaten.rowCount(1), 12);

    QStringList expectedOut;
    for (int view = 0; view < 2; ++view) {
        const QString name = QStringLiteral("/memory%1.mes").arg(view + 1);
        program.table().showView(view);
        program.dialogs.files = {sb.root() + name};
        program.exporter().cmdSave_Click();
        const QByteArray saved = testsupport::Sandbox::readFile(sb.root() + name);
        ASSERT_FALSE(saved.isEmpty());
        EXPECT_EQ(withoutTimes(testsupport::Sandbox::readFile(out + name)).toStdString(),
                  withoutTimes(saved).toStdString());
        if (view == 1)
            expectedOut << QString();
        expectedOut << program.main().items(Main::lstStat);
    }
    EXPECT_EQ(r.outLines(), expectedOut);
    // The settings took effect: English statistics with German numbers, the limits, the project block.
    EXPECT_EQ(r.outLines().value(0), QStringLiteral("FE-Memory"));
    const QString report = shell::TextFile::decode(testsupport::Sandbox::readFile(out + "/memory1.mes"));
    EXPECT_TRUE(report.contains(QRegularExpression(QStringLiteral("\r\nMin Limit +95,5 µm")))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("#  Inspector K. Weber\r\n"))) << report.toStdString();
}

TEST(CliRead, EmptyMemoryPrintsTheMessageAndWritesNoFile)
{
    testsupport::Sandbox sb;
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "3", "--count2", "0", "--fast");
    const QString out = sb.root() + QStringLiteral("/out");
    const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", out, "--lang", "en"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.outLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.first(), QStringLiteral("FE-Memory"));
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Number +3$"))).size(), 1) << r.out.toStdString();
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{QString(), QStringLiteral("NFE-Storage empty")}));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("memory1.mes")});

    // Only memory 2, in German: the message alone.
    const CliRun second = CliRun::run({"read", "--port", "COM7", "--out", out, "--memory", "2", "--lang", "de"});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(second.out, QString("NFE-Speicher leer!\n"));
}

TEST(CliRead, FailuresEndWithTheirExitStatusAndNoFiles)
{
    testsupport::Sandbox sb;
    const QString out = sb.root() + QStringLiteral("/out");
    {
        // A gauge that never ends its answers: nothing comes for the timeout, exit 4, nothing to write.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--fault", "no-eot", "--fast");
        const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", out, "--timeout", "1", "--lang", "en"});
        EXPECT_EQ(r.exitCode, 4) << r.err.toStdString();
        EXPECT_FALSE(QDir(out).exists());
    }
    {
        // A file-size limit smaller than the file: the write fails with a message instead of the signal ending
        // the run, and no partial file is left.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "20", "--count2", "0", "--fast");
        QProcess p;
        p.setChildProcessModifier([] {
            struct rlimit limit {
                600, 600
            };
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        const QString limited = sb.root() + QStringLiteral("/limited");
        p.start(CliRun::program(), {"read", "--port", "COM7", "--out", limited, "--lang", "en"});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 5) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("could not be saved"))) << err.toStdString();
        EXPECT_TRUE(QDir(limited).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
    {
        // The gauge switches off in memory 2: memory 1, read whole, and the records of memory 2 that came are
        // written; exit 6 with the count on standard error.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "20", "--count2", "100", "--switch-off-after", "30",
                  "--fast");
        const QString cut = sb.root() + QStringLiteral("/cut");
        const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", cut, "--lang", "en"});
        EXPECT_EQ(r.exitCode, 6) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("NFE-Memory: 30 of 100 values received, transfer interrupted")))
            << r.err.toStdString();
        EXPECT_EQ(QDir(cut).entryList(QDir::Files), (QStringList{"memory1.mes", "memory2.mes"}));
        EXPECT_TRUE(testsupport::Sandbox::readFile(cut + "/memory2.mes").contains("    30 "));
    }
    {
        // A long memory that keeps arriving is not cut by a timeout shorter than its whole answer.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "500", "--count2", "0");
        const QString slow = sb.root() + QStringLiteral("/slow");
        const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", slow, "--timeout", "1"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_GT(r.ms, 2500); // 500 records at the line's pace
        EXPECT_EQ(QDir(slow).entryList(QDir::Files), QStringList{QStringLiteral("memory1.mes")});
    }
    {
        // A reader that stops early (| head, | grep -q): the read still ends normally and both files are written.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "3", "--count2", "2", "--fast");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        ::close(fds[0]);
        QProcess p;
        p.setChildProcessModifier([w = fds[1]] { ::dup2(w, STDOUT_FILENO); });
        const QString closedOut = sb.root() + QStringLiteral("/closed");
        p.start(CliRun::program(), {"read", "--port", "COM7", "--out", closedOut});
        ASSERT_TRUE(p.waitForFinished(30000));
        ::close(fds[1]);
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_EQ(QDir(closedOut).entryList(QDir::Files), (QStringList{"memory1.mes", "memory2.mes"}));
    }
}

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
    EXPECT_EQ(rowsOf(sb.data() + kAppData + "/Online.mes").size(), 6u);
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
    EXPECT_GE(rowsOf(sb.data() + kAppData + "/Online.mes").size(), size_t(shown));
}
