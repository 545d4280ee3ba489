#include "TableFixture.h"

namespace {
QString b(int n)
{
    return QString(n, QLatin1Char(' '));
}
const QString kUm = QStringLiteral(" µm  ");
} // namespace

using StatisticsTest = TableFixture;

TEST_F(StatisticsTest, GermanListForTenTwelveFourteen)
{
    addAll({10.0, 12.0, 14.0});
    const QStringList expected = {
        QStringLiteral("FE-Speicher"),
        b(1),
        QStringLiteral("Statistik:"),
        b(1),
        QStringLiteral("Anzahl") + b(10) + b(7) + QStringLiteral("3"),
        QStringLiteral("Minimum") + b(9) + b(7) + QStringLiteral("10.0") + kUm,
        QStringLiteral("Maximum") + b(9) + b(7) + QStringLiteral("14.0") + kUm,
        QStringLiteral("Mittelwert") + b(6) + b(7) + QStringLiteral("12.0") + kUm,
        QStringLiteral("Std.Abweichung") + b(2) + b(8) + QStringLiteral("2.0") + kUm,
    };
    EXPECT_EQ(stat(), expected);
    EXPECT_DOUBLE_EQ(table->statistik().mean, 12.0);
    EXPECT_DOUBLE_EQ(table->statistik().stdabw, 2.0); // sample deviation, not 1.633
    EXPECT_EQ(st->main().text(Main::optFE), QStringLiteral("FE-Speicher (3)"));
}

TEST_F(StatisticsTest, OneValueHasNoDeviationLine)
{
    st->texte.sprache = 1;
    add(42.0);
    const QStringList lines = stat();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QStringLiteral("FE-Memory"));
    EXPECT_EQ(lines[2], QStringLiteral("Statistics:"));
    EXPECT_EQ(lines[4], QStringLiteral("Number") + b(10) + b(7) + QStringLiteral("1"));
    for (int i = 5; i <= 7; ++i)
        EXPECT_TRUE(lines[i].endsWith(QStringLiteral("42.0") + kUm)) << lines[i].toStdString();
}

TEST_F(StatisticsTest, NegativeValuesCountAbsoluteOutsideTheVxFamily)
{
    add(-5.0);
    EXPECT_DOUBLE_EQ(table->statistik().min, 5.0);
    EXPECT_DOUBLE_EQ(table->statistik().mean, 5.0);

    st->device.geraet = QStringLiteral("VX5");
    table->StatistikZuruecksetzen();
    add(-5.0);
    EXPECT_DOUBLE_EQ(table->statistik().min, -5.0);
    EXPECT_EQ(table->statistik().anz_mean.trimmed(), QStringLiteral("-5.0"));

    // Values beyond any fixed start value (±999999) are minimum and maximum as they are.
    table->StatistikZuruecksetzen();
    addAll({2000000.0, 3000000.0});
    EXPECT_EQ(table->statistik().anz_min.trimmed(), QStringLiteral("2000000.0"));
    table->StatistikZuruecksetzen();
    addAll({-2000000.0, -3000000.0});
    EXPECT_EQ(table->statistik().anz_max.trimmed(), QStringLiteral("-2000000.0"));
}

TEST_F(StatisticsTest, MixedUnitsShowTheNoticeUntilReset)
{
    add(10.0, QStringLiteral("G   "));
    add(11.0, QStringLiteral("A/cm"));
    add(12.0, QStringLiteral("G   "));
    EXPECT_TRUE(table->statistik().einheitenGemischt);
    const QStringList lines = stat();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(4), (QStringList{QStringLiteral(" Statistik nicht möglich,"),
                                         QStringLiteral(" da verschiedene"), QStringLiteral(" Messeinheiten ")}));
    table->StatistikZuruecksetzen();
    EXPECT_FALSE(table->statistik().einheitenGemischt);
    EXPECT_TRUE(stat().isEmpty());
}

TEST_F(StatisticsTest, AbsoluteModeOnAVxView)
{
    st->device.geraet = QStringLiteral("VX5");
    st->edition.signMode = QStringLiteral("-");
    add(-3.0);
    add(2.0);
    EXPECT_EQ(table->statistik().anz_min.trimmed(), QStringLiteral("-3.0"));
    EXPECT_EQ(table->statistik().anz_mean.trimmed(), QStringLiteral("-0.5"));

    table->cmdAbs_Click(); // on: rebuilt from the store
    EXPECT_TRUE(st->absolut);
    EXPECT_EQ(table->statistik().anz_min.trimmed(), QStringLiteral("2.0"));
    EXPECT_EQ(table->statistik().anz_max.trimmed(), QStringLiteral("3.0"));
    EXPECT_EQ(table->statistik().anz_mean.trimmed(), QStringLiteral("2.5"));
    EXPECT_EQ(stat().at(2), QStringLiteral("Statistik:  mit Absolutwerten"));
    EXPECT_EQ(grid().text(1, 2).trimmed(), QStringLiteral("-3.0")); // the grid keeps the sign

    table->cmdAbs_Click();
    EXPECT_EQ(table->statistik().anz_min.trimmed(), QStringLiteral("-3.0"));
    EXPECT_EQ(stat().at(2), QStringLiteral("Statistik:"));
}
