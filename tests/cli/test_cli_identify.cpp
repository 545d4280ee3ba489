#include "CliProcess.h"
#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "SimulatedGauge.h"
#include "shell/Controls.h"

#include "Program.h"
#include "shell/TextFile.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

namespace {

const QString kRondoFolder = QStringLiteral("/Varnotek/RONDO TRANSFER");

// The port list the program's own start-up fills for an edition, in this process and sandbox.
QStringList programPortList(const testsupport::Sandbox& sb, const QString& edition)
{
    Program program(const_cast<testsupport::Sandbox&>(sb), edition, Program::Line::Real);
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

    // Without --edition the edition is the one of Konfi.ini beside the tool (RONDO, Bluetooth).
    const CliRun b = CliRun::run({"ports"});
    ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
    EXPECT_EQ(b.outLines(), programPortList(sb, QStringLiteral("RD")));
    EXPECT_EQ(b.outLines(), QStringList{QStringLiteral("COM7 BTH simulated gauge")});
    EXPECT_TRUE(b.err.isEmpty()) << b.err.toStdString();
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
    {
        // A cable edition: the connect sequence probes first, then identifies.
        SimulatedGauge forta;
        START_SIM(forta, "--model", "FT", "--com", "5", "--count1", "9", "--firmware", "1.5");
        const CliRun r = CliRun::run({"identify", "--port", "COM5", "--edition", "FT"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = r.outLines();
        ASSERT_EQ(lines.size(), 8) << r.out.toStdString();
        EXPECT_EQ(lines.mid(1, 2), (QStringList{"geraetesoftware: 1.5", "memory1Count: 9"}));
        EXPECT_EQ(lines[7], "memoryMode: 3");
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
    const QString appData = sb.config() + kRondoFolder;
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

TEST(CliIdentify, NoEndOfAnswerEndsWithTheTimeout)
{
    testsupport::Sandbox sb;
    SimulatedGauge rondo;
    START_SIM(rondo, "--model", "RD", "--com", "7", "--fault", "no-eot");
    const CliRun r = CliRun::run({"identify", "--port", "COM7", "--timeout", "2", "--lang", "en"});
    EXPECT_EQ(r.exitCode, 4) << r.err.toStdString();
    EXPECT_GE(r.ms, 2000);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("within 2 s"))) << r.err.toStdString();
}
