#include "CliProcess.h"
#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "SimulatedGauge.h"
#include "shell/Controls.h"

#include "Program.h"
#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

namespace Main = ctl::frmTransfer;

namespace {

const QString kAppData = QStringLiteral("/Varnotek/RONDO TRANSFER");

// The program in this process, as its main window drives it: connect reads all memories, and the Save button
// writes the current view where the save dialog says.
struct ProgramRun {
    Program program;

    explicit ProgramRun(testsupport::Sandbox& sb) : program(sb, QStringLiteral("RD"), Program::Line::Real) {}
    bool connect(const QString& port)
    {
        if (!program.start())
            return false;
        program.main().takeTextFromUser(Main::ComboPort, port);
        program.link().ComboPort_Change();
        program.link().cmdConnect_Click();
        return program.st.link.CheckConnect;
    }
    QByteArray save(int view, const QString& path)
    {
        program.table().showView(view);
        program.dialogs.files = {path};
        program.exporter().cmdSave_Click();
        return testsupport::Sandbox::readFile(path);
    }
    int rows(int view) { return program.table().Messdaten.rowCount(view); }
};

// Reading time differs between two reads of the same memory; everything else must be equal.
QString withoutTimes(const QByteArray& file)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d"), QRegularExpression::MultilineOption);
    QString text = shell::TextFile::decode(file);
    return text.replace(time, QStringLiteral("hh:mm:ss"));
}

} // namespace

TEST(CliRead, BothMemoriesAreWhatTheProgramSaves)
{
    // German numbers and dates, English texts, limits and project data: every setting the report depends on.
    testsupport::Sandbox sb("de_DE.UTF-8");
    const QString appData = sb.config() + kAppData;
    testsupport::Sandbox::writeFile(appData + "/Language.ini", "1\r\n");
    testsupport::Sandbox::writeFile(appData + "/Limit.ini", "95,5;140;120;0;\r\n");
    testsupport::Sandbox::writeFile(appData + "/Projektdaten.ini",
                                    "Bridge 7\r\n\r\n\r\n\r\n\r\nK. Weber\r\nDT 03.04.2025;09:15\r\n");
    testsupport::Sandbox::writeFile(sb.data() + kAppData + "/Projekt.ini",
                                    "Objekt;Object;\r\nA;B;\r\nC;D;\r\nE;F;\r\nG;H;\r\nPrüfer;Inspector;\r\n");
    SimulatedGauge gauge;
    START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "25", "--count2", "12", "--seed", "7", "--fast");

    const QString out = sb.root() + QStringLiteral("/out");
    const CliRun r = CliRun::run({"read", "--port", "COM7", "--out", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    ProgramRun program(sb);
    ASSERT_TRUE(program.connect(QStringLiteral("COM7")));
    ASSERT_EQ(program.rows(0), 25);
    ASSERT_EQ(program.rows(1), 12);

    QStringList expectedOut;
    QDir().mkpath(sb.root() + QStringLiteral("/program"));
    for (int view = 0; view < 2; ++view) {
        const QString name = QStringLiteral("/memory%1.mes").arg(view + 1);
        const QByteArray saved = program.save(view, sb.root() + QStringLiteral("/program") + name);
        ASSERT_FALSE(saved.isEmpty());
        EXPECT_EQ(withoutTimes(testsupport::Sandbox::readFile(out + name)).toStdString(),
                  withoutTimes(saved).toStdString());
        if (view == 1)
            expectedOut << QString();
        expectedOut << program.program.main().items(Main::lstStat);
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
        // A folder that cannot be made: below a plain file.
        SimulatedGauge gauge;
        START_SIM(gauge, "--model", "RD", "--com", "7", "--count1", "3", "--count2", "2", "--fast");
        testsupport::Sandbox::writeFile(sb.root() + QStringLiteral("/plain"), "x");
        const CliRun r =
            CliRun::run({"read", "--port", "COM7", "--out", sb.root() + QStringLiteral("/plain/out"), "--lang", "en"});
        EXPECT_EQ(r.exitCode, 5) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QStringLiteral("could not be saved")), 2) << r.err.toStdString();
        const QString logFile = sb.config() + kAppData + QStringLiteral("/Varnotek_TransferLog.txt");
        const QString log = shell::TextFile::decode(testsupport::Sandbox::readFile(logFile));
        EXPECT_EQ(log.count(QStringLiteral("could not be saved")), 2) << log.toStdString();
    }
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
