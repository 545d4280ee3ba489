#include "Sandbox.h"
#include "shell/Numbers.h"
#include "table/ValueFormat.h"

#include <gtest/gtest.h>

using namespace table;

TEST(ValueFormat, PatternsByUnitInTheUsersNumberFormat)
{
    const struct {
        const char* locale;
        double value;
        const char* unit;
        const char* shown; // padded to 11, or whole when longer
    } cases[] = {
        {"en_US.UTF-8", 123.45, "µm  ", "      123.5"},
        {"en_US.UTF-8", 0.25, "mVs", "      0.250"},
        {"en_US.UTF-8", 7, "kA/m", "       7.00"},
        {"en_US.UTF-8", -12.34, "Oe  ", "      -12.3"},
        {"en_US.UTF-8", 5, "G   ", "        5.0"},
        {"en_US.UTF-8", 5, "kOe ", "       5.00"},
        {"en_US.UTF-8", 5, "A/cm", "        5.0"},
        {"en_US.UTF-8", 5, "", "       5.00"},
        // Halves away from zero, as the decimal value reads.
        {"en_US.UTF-8", 0.05, "µm", "        0.1"},
        {"en_US.UTF-8", -0.05, "µm", "       -0.1"},
        {"en_US.UTF-8", 2.675, "mm", "       2.68"},
        {"en_US.UTF-8", 0.0005, "mVs", "      0.001"},
        {"en_US.UTF-8", -0.04, "µm", "        0.0"},
        {"en_US.UTF-8", 100000.4, "µm", "   100000.4"},
        {"en_US.UTF-8", 123456789012.0, "µm", "123456789012.0"},
        // The largest readings a record can bring (ten digits of mm or kOe) keep their value; no grouping.
        {"en_US.UTF-8", 5e12, "µm", "5000000000000.0"},
        {"en_US.UTF-8", 9999999999e3, "G   ", "9999999999000.0"},
        {"en_US.UTF-8", 1234567.0, "µm", "  1234567.0"},
        {"de_DE.UTF-8", 123.45, "µm  ", "      123,5"},
        {"de_DE.UTF-8", -0.25, "mVs", "     -0,250"},
        {"de_DE.UTF-8", 1234567.0, "mm", " 1234567,00"},
        // Swedish gives U+2212 as the minus sign; Windows-1252 files cannot hold it.
        {"sv_SE.UTF-8", -12.34, "Oe  ", "      -12,3"},
    };
    testsupport::Sandbox sb;
    for (const auto& c : cases) {
        testsupport::Sandbox::setLocale(c.locale);
        EXPECT_EQ(WertFormatieren(c.value, QString::fromUtf8(c.unit)), QString::fromUtf8(c.shown))
            << c.locale << " " << c.value << " " << c.unit;
    }
    // A value read from a text of two decimals shows that text again, however large (saved, loaded, saved).
    for (double v : {-41255400998277.52, 4503599627370.49, 123456.78, 0.13, 1e307})
        EXPECT_EQ(shownValue(v, 2), v) << v;
    // Swedish writes exponents as "×10^": general numbers keep the hyphen and "e".
    testsupport::Sandbox::setLocale("sv_SE.UTF-8");
    EXPECT_EQ(shell::Numbers::formatGeneral(-2.5), "-2,5");
    EXPECT_EQ(shell::Numbers::formatGeneral(-1.5e20), "-1,5e+20");
}
