// The simulator's own bytes. Reading them through the program is the link tests' work; here are the parts those
// cannot see: exact columns, a split record and the memory file syntax.
#include "SimGauge.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

SimGauge gauge(const QString& model, int count1, int count2 = 2, SimGaugeConfig config = {})
{
    config.model = model;
    SimGauge g(config);
    const SimModelInfo info = g.info();
    for (int m = 1; m <= info.memories; ++m)
        g.generateMemory(m, m == 1 ? count1 : count2, info.defaultMean, info.defaultSpread, info.defaultUnit);
    return g;
}

} // namespace

TEST(SimGauge, RecordsSplitRecordAndIdentification)
{
    // Memory records in the gauge's columns: Read.RondoFnReadsBothMemoriesAfterConnecting reads them back.
    const QString micro = QString(QChar(0xB5)) + "m";
    EXPECT_EQ(SimGauge::formatRecord(3, SimValue{12.5, micro, "Fe", {}}, true).mid(17, 4), QByteArray("ym  "));
    // signed magnetic value, no material: still 25 columns with the unit at 18-21
    EXPECT_EQ(SimGauge::formatRecord(9999, SimValue{-1.234, "kA/m", "", {}}, false),
              QByteArray("9999      -1.234 kA/m    "));
    // a value kept as written in a memory file is sent unchanged; large values lose decimals, not columns
    EXPECT_EQ(SimGauge::formatRecord(1, SimValue{7.0, "G", "", "7.00"}, false).mid(6, 10), QByteArray("      7.00"));
    EXPECT_EQ(SimGauge::formatValue(1234567.891, "mVs").size(), 10);

    // a one-memory gauge reports its memory number; unknown commands get no answer
    SimGaugeConfig numbered;
    numbered.memoryNumber = 5;
    EXPECT_TRUE(gauge("VX2", 20, 0, numbered).identificationText().contains("\r\nM5:20\r\n"));
    EXPECT_TRUE(gauge("RD", 2).answer("$kova99$").isEmpty());

    // A split record arrives whole in the link tests' reads, so the split itself is checked here.
    SimGaugeConfig split;
    split.split = true;
    split.splitPauseMs = 123;
    const QList<SimChunk> pieces = gauge("VX1", 0, 0, split).onlineValue(2.5);
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_EQ(pieces[1].pauseMs, 123);
    EXPECT_FALSE(pieces[0].data.contains('\n'));
    EXPECT_EQ(pieces[0].data + pieces[1].data, QByteArray("   1       2.500 kA/m    \r\n"));
}

TEST(SimGauge, MemoryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("m.txt");
    const auto load = [&](const QByteArray& content, QString* error) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        f.close();
        return SimGauge::loadMemoryFile(path, "G", "X", error);
    };
    QString error;
    // Blank, ";" and tab separators, a decimal comma, the default unit and material.
    const auto values = load("# comment\r\n12.5\r\n\r\n13,1;\xB5m;Fe\r\n-2\tkA/m\r\n", &error);
    ASSERT_TRUE(values) << qPrintable(error);
    ASSERT_EQ(values->size(), 3);
    EXPECT_EQ((*values)[0].unit, "G");
    EXPECT_EQ((*values)[0].material, "X");
    EXPECT_DOUBLE_EQ((*values)[1].value, 13.1);
    EXPECT_EQ((*values)[1].unit, QString(QChar(0xB5)) + "m");
    EXPECT_DOUBLE_EQ((*values)[2].value, -2.0);

    EXPECT_FALSE(load("1.0\n2.0 furlong\n", &error));
    EXPECT_TRUE(error.contains(":2:")) << qPrintable(error);
    EXPECT_FALSE(load("abc\n", &error));
    EXPECT_FALSE(SimGauge::loadMemoryFile(dir.filePath("missing"), "G", "", &error));
}
