#include "Program.h"
#include "link/RecordDecoder.h"
#include "table/TableSession.h"

#include <gtest/gtest.h>

using instrument::RecordDecoder;

namespace {

// A record in the instrument's columns: number 1-4, value 7-16, unit 18-21, material 23-25.
QString record(const QString& nr, const QString& value, const QString& unit, const QString& material = QString())
{
    return nr.rightJustified(4) + QStringLiteral("  ") + value.rightJustified(10) + QLatin1Char(' ') +
           unit.leftJustified(4) + QLatin1Char(' ') + material.rightJustified(3) + QStringLiteral("\r\n");
}

struct Decoding {
    Program prog;
    table::TableSession table{prog.st};
    RecordDecoder decoder{prog.st, table};

    explicit Decoding(const QString& edition) : prog(edition)
    {
        prog.shell->startup();
        table.MessdatenLoeschen();
    }
    // Decodes records into a view from row 1 on.
    void read(int messart, const QStringList& records)
    {
        prog.st.messart = messart;
        table.aktZeile = 1;
        table.MessdatenLoeschen();
        for (const QString& r : records)
            decoder.FillMessdaten(r);
    }
    const table::MessRow& row(int view, int r) const { return table.Messdaten.at(view, r); }
};

} // namespace

TEST(Decode, DecimalReaderIgnoresLocaleAndBlanks)
{
    testsupport::Sandbox german("de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"  0.0125 "), 0.0125);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"1 2.5"), 12.5);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"12,5"), 12.0); // a comma ends the number
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"12.3.4"), 12.3);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"  -1.5xy"), -1.5);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"+.5"), 0.5);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"#%&1"), 0.0);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u"-"), 0.0);
    EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(u""), 0.0);

    shell::AppState st;
    EXPECT_EQ(RecordDecoder::toInteger16(st, 2.5), 2);
    EXPECT_EQ(RecordDecoder::toInteger16(st, 3.5), 4);
    EXPECT_EQ(RecordDecoder::toInteger16(st, -32768), -32768);
    EXPECT_THROW(RecordDecoder::toInteger16(st, 99999), RecordDecoder::Failure);
    EXPECT_THROW(RecordDecoder::toInteger16(st, 32767.5), RecordDecoder::Failure);
}

TEST(Decode, UnitsAreNormalisedInOrder)
{
    const auto fields = [](const QString& value, const QString& unit) {
        return RecordDecoder::readFields(
            record(QStringLiteral("1"), value, unit).replace(QStringLiteral("\r\n"), QStringLiteral("  ")));
    };
    RecordDecoder::Fields f = fields(QStringLiteral("0.0125"), QStringLiteral("mm"));
    EXPECT_DOUBLE_EQ(f.wert, 12.5);
    EXPECT_EQ(f.einheit, QStringLiteral("µm  "));
    f = fields(QStringLiteral("1.2"), QStringLiteral("kOe"));
    EXPECT_DOUBLE_EQ(f.wert, 1200);
    EXPECT_EQ(f.einheit, QStringLiteral("G   "));
    f = fields(QStringLiteral("3.5"), QStringLiteral("kA/m"));
    EXPECT_DOUBLE_EQ(f.wert, 35);
    EXPECT_EQ(f.einheit, QStringLiteral("A/cm"));
    f = fields(QStringLiteral("17.5"), QStringLiteral("Oe"));
    EXPECT_DOUBLE_EQ(f.wert, 17.5);
    EXPECT_EQ(f.einheit, QStringLiteral("G   "));
    f = fields(QStringLiteral("80.1"), QStringLiteral("ym"));
    EXPECT_EQ(f.einheit, QStringLiteral("µm  "));
    f = fields(QStringLiteral("0.251"), QStringLiteral("mVs"));
    EXPECT_DOUBLE_EQ(f.wert, 0.251);
    EXPECT_EQ(f.einheit, QStringLiteral("mVs "));
    // A record cut short after its unit still gives four characters.
    f = RecordDecoder::readFields(QStringLiteral("   3        12.5 µm"));
    EXPECT_DOUBLE_EQ(f.number, 3);
    EXPECT_EQ(f.einheit, QStringLiteral("µm  "));
}

TEST(Decode, MaterialByEditionAndEmptyRecords)
{
    {
        // RONDO: the material follows the memory, whatever the record says.
        Decoding d(QStringLiteral("RD"));
        d.read(1, {record(QStringLiteral("12"), QStringLiteral("0.0125"), QStringLiteral("mm"), QStringLiteral("Fe")),
                   record(QStringLiteral("13"), QStringLiteral("0"), QStringLiteral("mm"), QStringLiteral("Fe")),
                   record(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("mm"), QStringLiteral("Fe")),
                   record(QStringLiteral("14"), QStringLiteral("99.5"), QStringLiteral("µm"), QStringLiteral("Fe"))});
        EXPECT_EQ(d.table.Messdaten.rowCount(1), 3);
        EXPECT_EQ(d.row(1, 1).nr, 12);
        EXPECT_DOUBLE_EQ(d.row(1, 1).wert, 12.5);
        EXPECT_EQ(d.row(1, 1).einheit, QStringLiteral("µm  "));
        EXPECT_EQ(d.row(1, 1).material, QStringLiteral("NFe"));
        EXPECT_EQ(d.row(1, 2).nr, 13); // a measured zero is a row
        EXPECT_DOUBLE_EQ(d.row(1, 2).wert, 0);
        EXPECT_EQ(d.row(1, 3).nr, 14); // the empty record took no row
        EXPECT_EQ(d.table.aktZeile, 4);
        EXPECT_EQ(d.row(1, 1).datum, d.prog.st.heuteDatum);
        EXPECT_EQ(d.row(1, 1).zeit.size(), 8);
        EXPECT_EQ(d.table.grid().Rows(), 4);
        d.read(0, {record(QStringLiteral("1"), QStringLiteral("50"), QStringLiteral("µm"), QStringLiteral("NFe"))});
        EXPECT_EQ(d.row(0, 1).material, QStringLiteral(" Fe"));
    }
    {
        // FORTA: the material comes from the record, trimmed.
        Decoding d(QStringLiteral("FT"));
        d.read(0, {record(QStringLiteral("1"), QStringLiteral("250"), QStringLiteral("µm"), QStringLiteral("Fe"))});
        EXPECT_EQ(d.row(0, 1).material, QStringLiteral("Fe"));
    }
    {
        // Magnetic gauges store no material: the field keeps what it held.
        Decoding d(QStringLiteral("VX5"));
        d.table.Messdaten.at(0, 1).material = QStringLiteral("old");
        d.read(0,
               {record(QStringLiteral("1"), QStringLiteral("-12.25"), QStringLiteral("A/cm"), QStringLiteral("Fe"))});
        EXPECT_DOUBLE_EQ(d.row(0, 1).wert, -12.25);
        EXPECT_EQ(d.row(0, 1).material, QStringLiteral("old"));
    }
}

TEST(Decode, NumberBeyondSixteenBitsIsReportedAndStoresNothing)
{
    Decoding d(QStringLiteral("RD"));
    d.prog.st.deviceLine = QStringLiteral("E");
    d.prog.st.messart = 2;
    d.table.onlineNr = 99999; // the online counter gives the number; it does not fit
    EXPECT_FALSE(d.decoder.FillMessdaten(record(QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("µm"))));
    ASSERT_EQ(d.prog.dialogs.shown.size(), 1);
    EXPECT_EQ(d.prog.dialogs.shown[0].text, QStringLiteral("Fill Messdaten: 6 Überlauf"));
    EXPECT_EQ(d.prog.dialogs.shown[0].buttons, shell::Dialogs::Buttons::Ok);
    EXPECT_TRUE(d.prog.log().contains(QStringLiteral("Fill Messdaten: 6 Überlauf")));
    EXPECT_EQ(d.table.grid().Rows(), 1);
    EXPECT_EQ(d.table.onlineNr, 99999);

    // Online numbering: the record's own number is not used.
    d.table.onlineNr = 7;
    EXPECT_TRUE(d.decoder.FillMessdaten(record(QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("µm"))));
    EXPECT_EQ(d.row(2, 7).nr, 7);
    EXPECT_EQ(d.table.onlineNr, 8);
}
