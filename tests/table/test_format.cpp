#include "Sandbox.h"
#include "shell/Numbers.h"
#include "table/TextAlign.h"
#include "table/ValueFormat.h"

#include <gtest/gtest.h>

using namespace table;

namespace {
QString pad(int blanks, const char* text)
{
    return QString(blanks, QLatin1Char(' ')) + QString::fromUtf8(text);
}
} // namespace

TEST(ValueFormat, PatternsByUnitAndSignWithPoint)
{
    testsupport::Sandbox sb("en_US.UTF-8");
    EXPECT_EQ(WertFormatieren(123.45, QStringLiteral("µm  ")), pad(6, "123.5"));
    EXPECT_EQ(WertFormatieren(0.25, QStringLiteral("mVs")), pad(6, "0.250"));
    EXPECT_EQ(WertFormatieren(7, QStringLiteral("kA/m")), pad(7, "7.00"));
    EXPECT_EQ(WertFormatieren(-12.34, QStringLiteral("Oe  ")), pad(6, "-12.3"));
    EXPECT_EQ(WertFormatieren(5, QStringLiteral("G   ")), pad(8, "5.0"));
    EXPECT_EQ(WertFormatieren(5, QStringLiteral("kOe ")), pad(7, "5.00"));
    EXPECT_EQ(WertFormatieren(5, QStringLiteral("A/cm")), pad(8, "5.0"));
    EXPECT_EQ(WertFormatieren(5, QString()), pad(7, "5.00"));
    // Halves away from zero, as the decimal value reads.
    EXPECT_EQ(WertFormatieren(0.05, QStringLiteral("µm")).trimmed(), QStringLiteral("0.1"));
    EXPECT_EQ(WertFormatieren(-0.05, QStringLiteral("µm")).trimmed(), QStringLiteral("-0.1"));
    EXPECT_EQ(WertFormatieren(2.675, QStringLiteral("mm")).trimmed(), QStringLiteral("2.68"));
    EXPECT_EQ(WertFormatieren(0.0005, QStringLiteral("mVs")).trimmed(), QStringLiteral("0.001"));
    EXPECT_EQ(WertFormatieren(-0.04, QStringLiteral("µm")).trimmed(), QStringLiteral("0.0"));
    // Long values: padded to 11, or returned whole.
    EXPECT_EQ(WertFormatieren(100000.4, QStringLiteral("µm")), pad(3, "100000.4"));
    EXPECT_EQ(WertFormatieren(123456789012.0, QStringLiteral("µm")), QStringLiteral("123456789012.0"));
    // The largest readings a record can bring (ten digits of mm or kOe) keep their value.
    EXPECT_EQ(WertFormatieren(5e12, QStringLiteral("µm")), QStringLiteral("5000000000000.0"));
    EXPECT_EQ(WertFormatieren(9999999999e3, QStringLiteral("G   ")), QStringLiteral("9999999999000.0"));
    EXPECT_EQ(WertFormatieren(1234567.0, QStringLiteral("µm")), QStringLiteral("  1234567.0")); // no grouping
    // A value read from a text of two decimals shows that text again, however large (saved, loaded, saved).
    for (double v : {-41255400998277.52, 4503599627370.49, 123456.78, 0.13, 1e307})
        EXPECT_EQ(shownValue(v, 2), v) << v;
}

TEST(ValueFormat, UsesTheUsersDecimalComma)
{
    testsupport::Sandbox sb("de_DE.UTF-8");
    EXPECT_EQ(WertFormatieren(123.45, QStringLiteral("µm  ")), pad(6, "123,5"));
    EXPECT_EQ(WertFormatieren(-0.25, QStringLiteral("mVs")), pad(5, "-0,250"));
    EXPECT_EQ(WertFormatieren(1234567.0, QStringLiteral("mm")), QStringLiteral(" 1234567,00"));
    EXPECT_EQ(GetDecimalsInt(0.125), 125);
}

TEST(ValueFormat, MinusIsAlwaysTheHyphen)
{
    // Swedish gives U+2212 as the minus sign and "×10^" as the exponent; Windows-1252 files hold neither.
    testsupport::Sandbox sb("sv_SE.UTF-8");
    EXPECT_EQ(WertFormatieren(-12.34, QStringLiteral("Oe  ")), pad(6, "-12,3"));
    EXPECT_EQ(shell::Numbers::formatGeneral(-2.5), QStringLiteral("-2,5"));
    EXPECT_EQ(shell::Numbers::formatGeneral(-1.5e20), QStringLiteral("-1,5e+20"));
}

TEST(ValueFormat, GetDecimalsInt)
{
    testsupport::Sandbox sb("en_US.UTF-8");
    EXPECT_EQ(GetDecimalsInt(12.25), 25);
    EXPECT_EQ(GetDecimalsInt(3.5), 5);
    EXPECT_EQ(GetDecimalsInt(7.05), 5);
    EXPECT_EQ(GetDecimalsInt(12), 0);
    EXPECT_EQ(GetDecimalsInt(4.0004), 0);
    EXPECT_EQ(GetDecimalsInt(0.0006), 1);
}

TEST(TextAlign, PadsCutsOrKeeps)
{
    EXPECT_EQ(Ausrichten(7, QStringLiteral("12")), QStringLiteral("     12"));
    EXPECT_EQ(Ausrichten(4, "7", "0"), "0007");
    EXPECT_EQ(Ausrichten(3, "12345"), "12345");
    EXPECT_EQ(Ausrichten(3, "12345", " ", true), "123");
    EXPECT_EQ(AusrichtenL(6, "  ab  "), "ab    ");
}
