#include "SimGauge.h"

#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray joined(const QList<SimChunk> &chunks)
{
    QByteArray out;
    for (const SimChunk &c : chunks)
        out += c.data;
    return out;
}

// Cuts a memory answer the way the program does: lines after the STX line, minus lines of four leading blanks.
QList<QByteArray> recordsOf(const QByteArray &answer)
{
    QList<QByteArray> records;
    bool data = false;
    for (const QByteArray &line : answer.split('\n')) {
        if (!line.endsWith('\r'))
            continue;   // the EOT / EM tail
        const QByteArray text = line.chopped(1);
        if (text == QByteArray(1, SimGauge::STX))
            data = true;
        else if (data && !text.startsWith("    "))
            records.append(text);
    }
    return records;
}

SimGauge gauge(const QString &model, int count1, int count2, SimGaugeConfig config = {})
{
    config.model = model;
    SimGauge g(config);
    const QString unit = g.info().defaultUnit;
    if (g.info().memories >= 1)
        g.generateMemory(1, count1, g.info().defaultMean, g.info().defaultSpread, unit);
    if (g.info().memories >= 2)
        g.generateMemory(2, count2, g.info().defaultMean, g.info().defaultSpread, unit);
    return g;
}

} // namespace

TEST(SimGauge, RecordColumns)
{
    const QByteArray mm = SimGauge::formatRecord(12, SimValue{0.0125, "mm", "NFe", {}}, false);
    EXPECT_EQ(mm, QByteArray("  12      0.0125 mm   NFe"));

    const QString micro = QString(QChar(0xB5)) + "m";
    const QByteArray um = SimGauge::formatRecord(3, SimValue{12.5, micro, "Fe", {}}, false);
    EXPECT_EQ(um, QByteArray("   3        12.5 \xB5m    Fe"));
    EXPECT_EQ(SimGauge::formatRecord(3, SimValue{12.5, micro, "Fe", {}}, true).mid(17, 4), QByteArray("ym  "));

    // signed magnetic value, no material: still 25 columns with the unit at 18-21
    const QByteArray ka = SimGauge::formatRecord(9999, SimValue{-1.234, "kA/m", "", {}}, false);
    EXPECT_EQ(ka, QByteArray("9999      -1.234 kA/m    "));
    // a value kept as written in a memory file is sent unchanged
    EXPECT_EQ(SimGauge::formatRecord(1, SimValue{7.0, "G", "", "7.00"}, false).mid(6, 10), QByteArray("      7.00"));
    // very large values lose decimals rather than spill out of their columns
    EXPECT_EQ(SimGauge::formatValue(1234567.891, "mVs").size(), 10);
}

TEST(SimGauge, IdentificationPerModel)
{
    EXPECT_EQ(gauge("RD", 25, 7).identificationText(),
              QByteArray("FN-B SN 100234\r\nVD:2.14\r\nM1:25\r\nM2:7\r\nAD:00:1A:7D:DA:71:13\r\nPT:F1.5\r\nVP:1.07\r\n"));

    SimGaugeConfig feb;
    feb.variant = "FE-B";
    EXPECT_TRUE(gauge("RD", 1, 1, feb).identificationText().startsWith("FE-B "));

    // FT reports the selected memory only; the scan memory under number 96
    SimGaugeConfig scan;
    scan.select = 2;
    const QByteArray ft = gauge("FT", 25, 96, scan).identificationText();
    EXPECT_TRUE(ft.startsWith("FT-"));
    EXPECT_TRUE(ft.contains("\r\nM96:96\r\n"));
    EXPECT_FALSE(ft.contains("M1:"));

    SimGaugeConfig numbered;
    numbered.memoryNumber = 5;
    EXPECT_TRUE(gauge("VX2", 20, 0, numbered).identificationText().contains("\r\nM5:20\r\n"));
    EXPECT_TRUE(gauge("VX1", 20, 0).identificationText().contains("\r\nM1:20\r\nAD:"));
    EXPECT_FALSE(gauge("QL7", 0, 0).identificationText().contains("\r\nM"));

    SimGauge rd = gauge("RD", 2, 2);
    const QByteArray answer = joined(rd.answer("$kova00$"));
    EXPECT_TRUE(answer.endsWith(QByteArray("VP:1.07\r\n") + SimGauge::EOT));
    EXPECT_TRUE(rd.answer("$kova99$").isEmpty());
}

TEST(SimGauge, MemoryAnswerFraming)
{
    SimGauge rd = gauge("RD", 30, 4);
    const QByteArray m1 = joined(rd.answer("$kova10$"));
    EXPECT_TRUE(m1.endsWith(QByteArray("\r\n") + SimGauge::EOT));
    const QList<QByteArray> records = recordsOf(m1);
    ASSERT_EQ(records.size(), 30);
    for (int i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].size(), 25);
        EXPECT_EQ(records[i].left(4).trimmed().toInt(), i + 1);
        EXPECT_EQ(records[i].mid(6, 10).trimmed().toDouble(), rd.memory(1)[i].value);
        EXPECT_EQ(records[i].mid(22, 3), QByteArray(" Fe"));
    }
    const QList<QByteArray> nfe = recordsOf(joined(rd.answer("$kova11$")));
    ASSERT_EQ(nfe.size(), 4);
    EXPECT_EQ(nfe[0].mid(22, 3), QByteArray("NFe"));

    // empty memory: heading and STX line, no record, EOT
    SimGauge empty = gauge("VX5", 0, 0);
    const QByteArray none = joined(empty.answer("$kova10$"));
    EXPECT_TRUE(none.contains(QByteArray(1, SimGauge::STX) + "\r\n"));
    EXPECT_TRUE(recordsOf(none).isEmpty());
    EXPECT_TRUE(none.endsWith(SimGauge::EOT));
}

TEST(SimGauge, Faults)
{
    SimGaugeConfig before;
    before.recordsBeforeStx = true;
    const QByteArray early = joined(gauge("RD", 5, 0, before).answer("$kova10$"));
    EXPECT_TRUE(recordsOf(early).isEmpty());
    EXPECT_TRUE(early.contains("   1 "));

    SimGaugeConfig off;
    off.switchOffAfter = 3;
    SimGauge switching = gauge("RD", 10, 0, off);
    const QList<SimChunk> answer = switching.answer("$kova10$");
    EXPECT_EQ(recordsOf(joined(answer)).size(), 3);
    EXPECT_TRUE(joined(answer).endsWith(SimGauge::EM));
    EXPECT_FALSE(joined(answer).contains(SimGauge::EOT));
    EXPECT_EQ(answer.last().action, SimChunk::Action::SwitchOff);
    EXPECT_TRUE(switching.answer("$kova00$").isEmpty());   // off: no more answers

    SimGaugeConfig unplug;
    unplug.unplugMidAnswer = true;
    const QList<SimChunk> cut = gauge("RD", 10, 0, unplug).answer("$kova10$");
    EXPECT_EQ(cut.last().action, SimChunk::Action::Unplug);
    EXPECT_EQ(recordsOf(joined(cut)).size(), 5);   // half the records, then the line goes away
    EXPECT_FALSE(joined(cut).contains(SimGauge::EOT));

    SimGaugeConfig split;
    split.split = true;
    split.splitPauseMs = 123;
    const QList<SimChunk> pieces = gauge("VX1", 0, 0, split).onlineValue(2.5);
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_EQ(pieces[1].pauseMs, 123);
    EXPECT_FALSE(pieces[0].data.contains('\n'));
    EXPECT_EQ(pieces[0].data + pieces[1].data, QByteArray("   1       2.500 kA/m    \r\n"));

    SimGaugeConfig garbage;
    garbage.garbage = true;
    SimGauge noisy = gauge("RD", 20, 0, garbage);
    const QByteArray dirty = joined(noisy.answer("$kova10$"));
    int junk = 0;
    for (const QByteArray &r : recordsOf(dirty)) {
        if (r.isEmpty() || (r[0] != ' ' && !std::isdigit(uchar(r[0]))))
            ++junk;
    }
    EXPECT_GT(junk, 0);
    EXPECT_EQ(recordsOf(dirty).size() - junk, 20);
    for (const char c : {SimGauge::STX, SimGauge::EOT, SimGauge::EM})
        EXPECT_EQ(dirty.count(c), c == SimGauge::STX || c == SimGauge::EOT ? 1 : 0);

    SimGaugeConfig silent;
    silent.silent = true;
    EXPECT_TRUE(gauge("RD", 3, 3, silent).answer("$kova00$").isEmpty());
}

TEST(SimGauge, MemoryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("m.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# comment\r\n12.5\r\n\r\n0.0125 mm NFe\r\n13,1;\xB5m;Fe\r\n-2\tkA/m\r\n");
    f.close();
    QString error;
    const auto values = SimGauge::loadMemoryFile(path, "G", "X", &error);
    ASSERT_TRUE(values) << qPrintable(error);
    ASSERT_EQ(values->size(), 4);
    EXPECT_EQ((*values)[0].unit, "G");
    EXPECT_EQ((*values)[0].material, "X");
    EXPECT_EQ((*values)[1].unit, "mm");
    EXPECT_EQ((*values)[1].text, QByteArray("0.0125"));
    EXPECT_EQ((*values)[1].material, "NFe");
    EXPECT_DOUBLE_EQ((*values)[2].value, 13.1);
    EXPECT_EQ((*values)[2].unit, QString(QChar(0xB5)) + "m");
    EXPECT_DOUBLE_EQ((*values)[3].value, -2.0);

    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("1.0\n2.0 furlong\n");
    f.close();
    EXPECT_FALSE(SimGauge::loadMemoryFile(path, "G", "", &error));
    EXPECT_TRUE(error.contains(":2:")) << qPrintable(error);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("abc\n");
    f.close();
    EXPECT_FALSE(SimGauge::loadMemoryFile(path, "G", "", &error));
    EXPECT_FALSE(SimGauge::loadMemoryFile(dir.filePath("missing"), "G", "", &error));
}
