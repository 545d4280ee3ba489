#include "CliOptions.h"
#include "CliProcess.h"

#include <gtest/gtest.h>

namespace {
CliOptions parsed(const QStringList& args, bool* ok = nullptr)
{
    CliOptions o;
    const bool result = o.parse(QStringList{QStringLiteral("varnotek-cli")} + args);
    if (ok)
        *ok = result;
    return o;
}
bool accepts(const QStringList& args)
{
    bool ok = false;
    parsed(args, &ok);
    return ok;
}
} // namespace

TEST(CliOptions, CommandsTakeOnlyTheirOwnOptions)
{
    const CliOptions r = parsed({"read", "--port", "COM7", "--out=/tmp/x", "--memory", "2", "--edition", "FT", "--lang",
                                 "en", "--timeout", "5"});
    EXPECT_EQ(r.command, CliOptions::Command::Read);
    EXPECT_EQ(r.port, QStringLiteral("COM7"));
    EXPECT_EQ(r.outDir, QStringLiteral("/tmp/x"));
    EXPECT_EQ(r.memory, CliOptions::Memory::Second);
    EXPECT_EQ(r.edition, QStringLiteral("FT"));
    EXPECT_EQ(r.sprache, 1);
    EXPECT_EQ(r.timeoutSeconds, 5);

    const CliOptions d = parsed({"identify", "--port", "COM201"});
    EXPECT_EQ(d.timeoutSeconds * 1000, instrument::LinkSession::kSilenceMs); // the program's silence limit
    EXPECT_EQ(d.sprache, -1);
    EXPECT_TRUE(d.edition.isEmpty());
    EXPECT_EQ(parsed({"read", "--port", "COM1", "--out", "d"}).memory, CliOptions::Memory::All);

    EXPECT_TRUE(accepts({"online", "--port", "COM7", "--rule", "9010", "--nominal", "100"}));
    EXPECT_EQ(parsed({"read", "--port", "COM1", "--out", "d", "--spot", "5"}).rule.standIn.spotSize, 5);
    // --port and --lang do not belong to ports, --out only to read (where it is required), --port is required.
    for (const char* args :
         {"ports --port COM7", "ports --lang en", "identify", "identify --port COM7 --out d", "read --port COM7",
          "identify --port 7", "identify --port COM0", "identify --port COM202", "identify --port COM7 --lang fr",
          "identify --port COM7 --timeout 0", "identify --port COM7 --timeout", "identify --port COM7 --port COM8",
          "read --port COM7 --out d --memory 3", "identify --port COM7 --rule 8020", "online --port COM7 --max x",
          "identify --port COM7 extra", "connect", "", "--version ports"})
        EXPECT_FALSE(accepts(QString(args).split(' ', Qt::SkipEmptyParts))) << args;
}

TEST(CliProcess, HelpVersionAndUsageExitStatus)
{
    testsupport::Sandbox sb;
    const CliRun version = CliRun::run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "varnotek-cli V3.1\n");

    const CliRun help = CliRun::run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(CliOptions::usage())) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("Exit status"));

    const CliRun bad = CliRun::run({"identify", "--port", "COM7x"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("--port")) << bad.err.toStdString();
    EXPECT_TRUE(bad.err.contains(CliOptions::usage()));
    EXPECT_EQ(CliRun::run({}).exitCode, 2);
}
