#include "Sandbox.h"
#include "SimOptions.h"
#include "SimPortsIni.h"
#include "SimRunner.h"

#include <QFile>

#include <gtest/gtest.h>

using testsupport::Sandbox;

namespace {

SimOptions::Result parse(SimOptions& options, const QStringList& args)
{
    return options.parse(QStringList{"varnotek-sim"} + args);
}

} // namespace

TEST(SimOptions, BadInputDefaultsAndFaults)
{
    const QList<QStringList> bad = {
        {"--model", "XX"},
        {"--bogus"},
        {"--count1"},
        {"--count1", "-3"},
        {"--com", "0"},
        {"--com", "abc"},
        {"--model", "RD", "--unit", "G"},
        {"--model", "VX1", "--unit", "mm"},
        {"--unit", "furlong"},
        {"--fault", "melt"},
        {"--model", "QL7", "--count1", "4"},
        {"--model", "VX5", "--count2", "4"},
        {"--variant", "FEB"},
        {"--select", "2"},
        {"--online-start", "later"},
        {"--type", "a;b"},
        {"--ym=1"},
        {"--fault", "overflow", "--memory1", "x.txt"},
    };
    for (const QStringList& args : bad) {
        SimOptions options;
        EXPECT_EQ(parse(options, args), SimOptions::Result::Error) << qPrintable(args.join(' '));
        EXPECT_FALSE(options.error().isEmpty());
    }
    SimOptions help;
    EXPECT_EQ(parse(help, {"--fast", "--help"}), SimOptions::Result::Help);

    SimOptions bt;
    ASSERT_EQ(parse(bt, {"--model", "vx1", "--com=7"}), SimOptions::Result::Run) << qPrintable(bt.error());
    EXPECT_EQ(bt.settings().gauge.model, "VX1");
    EXPECT_EQ(bt.settings().com, 7);
    EXPECT_FALSE(bt.settings().online);
    SimOptions ql;
    ASSERT_EQ(parse(ql, {"--model", "QL7"}), SimOptions::Result::Run);
    EXPECT_TRUE(ql.settings().online);

    // overflow: more than 5000 values in memory 1, reported by the identification
    SimOptions over;
    ASSERT_EQ(parse(over, {"--fault", "overflow,switch-off", "--fast"}), SimOptions::Result::Run);
    QString error;
    auto gauge = SimRunner::makeGauge(over.settings(), &error);
    ASSERT_TRUE(gauge) << qPrintable(error);
    EXPECT_TRUE(gauge->identificationText().contains("\r\nM1:5003\r\n"));
    EXPECT_EQ(gauge->config().switchOffAfter, 5003 / 2);

    // the same seed gives the same memory; FE-B keeps Fe in memory 2
    SimOptions a;
    ASSERT_EQ(parse(a, {"--seed", "42", "--variant", "FE-B", "--unit", "mm", "--mean", "0.2", "--spread", "0.01"}),
              SimOptions::Result::Run);
    auto ga = SimRunner::makeGauge(a.settings(), &error);
    auto ga2 = SimRunner::makeGauge(a.settings(), &error);
    ASSERT_TRUE(ga && ga2);
    for (int i = 0; i < ga->memory(1).size(); ++i)
        EXPECT_EQ(ga->memory(1)[i].value, ga2->memory(1)[i].value);
    EXPECT_EQ(ga->memory(2).first().material, "Fe");
    EXPECT_EQ(ga->memory(2).first().unit, "mm");
}

TEST(SimPortsIni, AddReplaceRemoveKeepsOtherLines)
{
    Sandbox sb;
    const QString path = SimPortsIni::filePath();
    EXPECT_EQ(path, sb.config() + "/Varnotek/Ports.ini");
    QString error;
    ASSERT_TRUE(SimPortsIni::addLine(7, "/dev/pts/9", "BTH simulated gauge", &error)) << qPrintable(error);
    EXPECT_EQ(Sandbox::readFile(path), QByteArray("COM7;/dev/pts/9;BTH simulated gauge;\r\n"));

    // someone else's lines (LF only, 8-bit text) survive byte for byte; COM17 is not COM7
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("COM3;/dev/ttyUSB0;VCP Kabel \xE4;\ncom17;/dev/x;VCP;\r\n");
    f.close();
    ASSERT_TRUE(SimPortsIni::addLine(7, "/dev/pts/11", QString("VCP g") + QChar(0x20AC), &error));
    EXPECT_EQ(Sandbox::readFile(path), QByteArray("COM3;/dev/ttyUSB0;VCP Kabel \xE4;\r\ncom17;/dev/x;VCP;\r\n"
                                                  "COM7;/dev/pts/11;VCP g\x80;\r\n"));

    // a line that another simulator took over stays
    ASSERT_TRUE(SimPortsIni::removeLine(7, "/dev/pts/9", &error));
    EXPECT_TRUE(Sandbox::readFile(path).contains("COM7;/dev/pts/11;"));
    ASSERT_TRUE(SimPortsIni::removeLine(7, "/dev/pts/11", &error));
    EXPECT_EQ(Sandbox::readFile(path), QByteArray("COM3;/dev/ttyUSB0;VCP Kabel \xE4;\r\ncom17;/dev/x;VCP;\r\n"));
}
