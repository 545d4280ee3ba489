#include "ReadBench.h"
#include "TakeValue.h"
#include "link/RecordDecoder.h"

#include <gtest/gtest.h>

using instrument::RecordDecoder;

namespace {

// Records decoded by the link and stored by the table, as the session hands them over.
struct Decoding {
    Program prog;
    table::TableSession& table = prog.table();
    RecordDecoder decoder{prog.st};

    explicit Decoding(const QString& edition) : prog(edition)
    {
        prog.start();
        table.MessdatenLoeschen();
    }
    // Decodes records into a view from row 1 on.
    void read(int messart, const QStringList& records)
    {
        prog.st.messart = shell::messartOfView(messart);
        table.aktZeile = 1;
        table.MessdatenLoeschen();
        for (const QString& r : records)
            fill(r);
    }
    void fill(const QString& r)
    {
        if (const auto m = decoder.decode(r, prog.st.messart))
            table.FillMessdaten(*m);
    }
    const table::MessRow& row(int view, int r) const { return table.Messdaten.at(view, r); }
};

} // namespace

TEST(Decode, NumbersAndUnitsOfARecord)
{
    testsupport::Sandbox german("de_DE.UTF-8");
    const std::pair<const char16_t*, double> cases[] = {{u"  0.0125 ", 0.0125}, {u"1 2.5", 12.5},    {u"12,5", 12.0},
                                                        {u"12.3.4", 12.3},      {u"  -1.5xy", -1.5}, {u"+.5", 0.5},
                                                        {u"#%&1", 0.0},         {u"-", 0.0},         {u"", 0.0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(RecordDecoder::readDecimal(text), value) << QString::fromUtf16(text).toStdString();

    EXPECT_EQ(RecordDecoder::toInteger16(2.5), 2);
    EXPECT_EQ(RecordDecoder::toInteger16(3.5), 4);
    EXPECT_EQ(RecordDecoder::toInteger16(-32768), -32768);
    EXPECT_THROW(RecordDecoder::toInteger16(32767.5), RecordDecoder::Failure);

    const struct {
        const char* value;
        const char* unit;
        double wert;
        const char* einheit;
    } units[] = {{"0.0125", "mm", 12.5, "µm  "}, {"1.2", "kOe", 1200, "G   "}, {"3.5", "kA/m", 35, "A/cm"},
                 {"17.5", "Oe", 17.5, "G   "},   {"80.1", "ym", 80.1, "µm  "}, {"0.251", "mVs", 0.251, "mVs "}};
    for (const auto& c : units) {
        const RecordDecoder::Fields f = RecordDecoder::readFields(record(1, c.value, c.unit).replace("\r\n", "  "));
        EXPECT_DOUBLE_EQ(f.wert, c.wert) << c.unit;
        EXPECT_EQ(f.einheit, c.einheit) << c.unit;
    }
    // A record cut short after its unit still gives four characters.
    const RecordDecoder::Fields f = RecordDecoder::readFields("   3        12.5 µm");
    EXPECT_DOUBLE_EQ(f.number, 3);
    EXPECT_EQ(f.einheit, "µm  ");
}

// Magnetic gauges store no material: the field keeps what it held. (The memories' and FORTA's materials show in
// the read tests.)
TEST(Decode, MagneticGaugeKeepsTheMaterialItHeld)
{
    Decoding d("VX5");
    testsupport::take(d.prog.st, d.table, {.wert = 1, .material = "old"}); // clearing the view keeps materials
    d.read(0, {record(1, "-12.25", "A/cm")});
    EXPECT_DOUBLE_EQ(d.row(0, 1).wert, -12.25);
    EXPECT_EQ(d.row(0, 1).material, "old");
    EXPECT_EQ(d.row(0, 1).datum, d.prog.st.heuteDatum);
}

TEST(Decode, NumberBeyondSixteenBitsIsReportedAndStoresNothing)
{
    Decoding d("RD");
    d.prog.st.edition.deviceLine = "E";
    d.prog.st.messart = shell::Messart::Online;
    d.table.onlineNr = 99999; // the online counter gives the number; it does not fit
    d.fill(record(1, "12", "µm"));
    ASSERT_EQ(d.prog.dialogs.shown.size(), 1);
    EXPECT_EQ(d.prog.dialogs.shown[0].text, "Fill Messdaten: 6Überlauf");
    EXPECT_TRUE(d.prog.log().contains("Fill Messdaten: 6Überlauf"));
    EXPECT_EQ(d.table.grid().Rows(), 1);
    EXPECT_EQ(d.table.onlineNr, 99999);

    // Online numbering: the record's own number is not used.
    d.table.onlineNr = 7;
    d.fill(record(1, "12", "µm"));
    EXPECT_EQ(d.row(2, 7).nr, 7);
    EXPECT_EQ(d.table.onlineNr, 8);
}

// Control characters in unit and material are never kept (they would be typed into the receiving program as
// commands). A value that names no number is refused without a row and without a box, and logged.
TEST(Decode, ControlCharactersAndValuesThatAreNoNumbers)
{
    Decoding d("FT");
    d.read(0, {record(1, "250", "µm\b\a",
                      "F\x1B"
                      "e"),
               record(2, "NaN", "µm"), record(3, "-inf", "µm"), record(4, "  ∞", "µm")});
    EXPECT_EQ(d.row(0, 1).material, "Fe");
    EXPECT_EQ(d.row(0, 1).einheit, "µm  ");
    EXPECT_EQ(d.table.Messdaten.rowCount(0), 1);
    EXPECT_EQ(d.decoder.refused(), 3);
    EXPECT_TRUE(d.prog.dialogs.shown.isEmpty());
    EXPECT_TRUE(d.prog.log().contains("Fill Messdaten: 13Typen unverträglich: 2         NaN µm    Fe\r\n"));
}
