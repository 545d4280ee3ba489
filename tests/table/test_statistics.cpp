#include "TableFixture.h"

using StatisticsTest = TableFixture;

TEST_F(StatisticsTest, ListWithTheSampleDeviationOnlyFromTwoValues)
{
    addAll({10.0, 12.0, 14.0});
    const QString b(7, QLatin1Char(' '));
    EXPECT_EQ(stat(), (QStringList{"FE-Speicher", " ", "Statistik:", " ", "Anzahl          " + b + "3",
                                   "Minimum         " + b + "10.0 µm  ", "Maximum         " + b + "14.0 µm  ",
                                   "Mittelwert      " + b + "12.0 µm  ", "Std.Abweichung  " + b + " 2.0 µm  "}));

    table->StatistikZuruecksetzen();
    table->MessdatenLoeschen();
    table->aktZeile = 1;
    add({.wert = 42.0});
    EXPECT_EQ(stat().size(), 8);
}

TEST_F(StatisticsTest, NegativeValuesAndAbsoluteMode)
{
    // Outside the VX family a negative value counts by its amount.
    add({.wert = -5.0});
    EXPECT_DOUBLE_EQ(table->statistik().min, 5.0);
    EXPECT_DOUBLE_EQ(table->statistik().mean, 5.0);

    // A VX view keeps the sign until absolute mode is switched on, which rebuilds from the store.
    st->device.geraet = "VX5";
    st->edition.signMode = "-";
    table->StatistikZuruecksetzen();
    table->MessdatenLoeschen();
    table->aktZeile = 1;
    add({.wert = -3.0});
    add({.wert = 2.0});
    EXPECT_EQ(table->statistik().anz_min.trimmed(), "-3.0");
    EXPECT_EQ(table->statistik().anz_mean.trimmed(), "-0.5");
    table->cmdAbs_Click();
    EXPECT_TRUE(st->absolut);
    EXPECT_EQ(table->statistik().anz_min.trimmed(), "2.0");
    EXPECT_EQ(table->statistik().anz_max.trimmed(), "3.0");
    EXPECT_EQ(table->statistik().anz_mean.trimmed(), "2.5");
    EXPECT_EQ(stat().at(2), "Statistik:  mit Absolutwerten");
    EXPECT_EQ(grid().text(1, 2).trimmed(), "-3.0"); // the grid keeps the sign
    table->cmdAbs_Click();
    EXPECT_EQ(table->statistik().anz_min.trimmed(), "-3.0");
    EXPECT_EQ(stat().at(2), "Statistik:");

    // Values beyond any fixed start value (±999999) are minimum and maximum as they are.
    for (const double sign : {1.0, -1.0}) {
        table->StatistikZuruecksetzen();
        table->MessdatenLoeschen();
        table->aktZeile = 1;
        addAll({2000000.0 * sign, 3000000.0 * sign});
        EXPECT_EQ((sign > 0 ? table->statistik().anz_min : table->statistik().anz_max).trimmed(),
                  sign > 0 ? "2000000.0" : "-2000000.0");
    }
}

TEST_F(StatisticsTest, MixedUnitsShowTheNoticeUntilReset)
{
    for (const char* unit : {"G   ", "A/cm", "G   "})
        add({.wert = 10.0, .einheit = unit});
    EXPECT_TRUE(table->statistik().einheitenGemischt);
    EXPECT_EQ(stat().mid(4), (QStringList{" Statistik nicht möglich,", " da verschiedene", " Messeinheiten "}));
    table->StatistikZuruecksetzen();
    EXPECT_FALSE(table->statistik().einheitenGemischt);
    EXPECT_TRUE(stat().isEmpty());
}
