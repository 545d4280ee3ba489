// The chart array and the chart descriptions built from it; the views' drawing is tested in tests/ui.
#include "chart/ChartBuilder.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <numeric>

using chart::ChartBuilder;
using chart::ChartData;
using chart::ChartDescription;
using chart::ChartInput;

namespace {

ChartInput input(int rows, bool german = true)
{
    ChartInput in;
    for (int i = 1; i <= rows; ++i)
        in.rows.append({i, (i % 2 ? -1.0 : 1.0) * (10 + i), "µm  "});
    in.min = -35;
    in.max = 34;
    in.minabs = 11;
    in.maxabs = 35;
    in.meanLabel = german ? "Mittelwert" : "Average";
    in.dataLegend = german ? "Daten" : "Data";
    in.targetLabel = german ? "Sollwert    " : "Target value";
    return in;
}

// Runs a test body under a German number format and restores the default afterwards.
struct GermanNumbers {
    GermanNumbers() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanNumbers() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST(ChartData, RowsLabelsAndColumnsFollowLimitsAndTarget)
{
    ChartInput in = input(25);
    ChartData plain(in);
    EXPECT_EQ(plain.k(), 1);
    EXPECT_EQ(plain.at(24, 0).toString(), " ");
    EXPECT_EQ(plain.at(25, 0).toString(), " 25");
    EXPECT_EQ(plain.at(1, 1).toDouble(), -11);

    ChartDescription d = ChartBuilder::mainChart(in, plain);
    ASSERT_EQ(d.series.size(), 1);
    EXPECT_EQ(d.x.maximum, 25);
    EXPECT_EQ(d.x.majorDivision, 10);
    EXPECT_EQ(d.y.minimum, -35);
    EXPECT_EQ(d.xLabels.filter(QRegularExpression("\\S")), QStringList{" 25"});

    // Absolute mode: values and range.
    in.absolut = true;
    d = ChartBuilder::mainChart(in, ChartData(in));
    EXPECT_EQ(d.series[0].values.first(), 11);
    EXPECT_EQ(d.y.maximum, 35);

    // A target alone: a second series.
    in.Esoll = 20;
    ChartData target(in);
    EXPECT_EQ(target.k(), 2);
    EXPECT_EQ(target.at(25, 2).toDouble(), 20);
    d = ChartBuilder::mainChart(in, target);
    ASSERT_EQ(d.series.size(), 2);

    // Limits and target: target, minimum, maximum; limits alone: minimum, maximum.
    in.Emin = 12;
    in.Emax = 30;
    ChartData both(in);
    ASSERT_EQ(both.k(), 4);
    EXPECT_EQ(both.column(2), ChartData::Column::Target);
    EXPECT_EQ(std::pair(both.at(3, 3).toDouble(), both.at(3, 4).toDouble()), std::pair(12.0, 30.0));
    d = ChartBuilder::mainChart(in, both);
    in.Esoll = 0;
    ChartData limits(in);
    ASSERT_EQ(limits.k(), 3);
    EXPECT_EQ(limits.at(1, 2).toDouble(), 12);
    EXPECT_EQ(limits.column(3), ChartData::Column::Maximum);
}

TEST(ChartData, CountStopsAtTheFirstNumberZeroAndAtFiveThousand)
{
    ChartInput in = input(10);
    in.rows[6].nr = 0;
    ChartData d(in);
    EXPECT_EQ(d.AnzahlWerte(), 6);
    EXPECT_EQ(d.values(1).size(), 6);
    EXPECT_EQ(ChartData::AnzahlWerte(input(5003).rows), 5000);

    EXPECT_EQ(ChartBuilder::check(in), ChartBuilder::Status::Ok);
    in.rows[0].nr = 0;
    EXPECT_EQ(ChartBuilder::check(in), ChartBuilder::Status::NoRows);
    in.einheitenGemischt = true;
    EXPECT_EQ(ChartBuilder::check(input(3)), ChartBuilder::Status::Ok);
    EXPECT_EQ(ChartBuilder::check(in), ChartBuilder::Status::MixedUnits);
}

TEST(ChartData, LargeWindowLegendsRangeAndBars)
{
    GermanNumbers german;
    ChartInput in = input(8);
    in.Emin = 10.5;
    in.Emax = 20;
    in.anz_min = "       -9,5";
    in.anz_max = "       18,0";
    in.anz_mean = "        4,2";
    const ChartData data(in);
    ChartDescription d = ChartBuilder::largeLineChart(in, data);
    ASSERT_EQ(d.series.size(), 3);
    EXPECT_EQ(d.series[1].name, "Minimum 10,5");
    EXPECT_EQ(d.series[2].name, "Maximum 20");
    EXPECT_TRUE(d.legendVisible);
    EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(-9.5, 20 + 29.5 * 0.05));

    in.Esoll = 15.25;
    d = ChartBuilder::largeLineChart(in, ChartData(in));
    EXPECT_EQ(d.series[1].name, "Sollwert     15,25");
    EXPECT_EQ(d.series[3].name, "Maximum 20");

    d = ChartBuilder::largeBarChart(in, data);
    EXPECT_EQ(d.kind, ChartDescription::Kind::Bar);
    ASSERT_EQ(d.series.size(), 1);
    EXPECT_EQ(d.series[0].name, "Data");
    EXPECT_EQ(d.series[0].values, data.values(1));
    EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(-9.5, 18.0)) << "bars draw no lines";

    // Statistics texts that are no numbers fall back to the values' own range.
    in.anz_min = " ";
    d = ChartBuilder::largeLineChart(in, data);
    EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(-17.0, 20 + 37 * 0.05));
}

TEST(ChartData, FlatSeriesGetsARangeAroundItsValue)
{
    ChartInput in = input(3);
    for (auto& r : in.rows)
        r.wert = 50;
    in.min = in.max = 50;
    ChartDescription d = ChartBuilder::mainChart(in, ChartData(in));
    EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(45.0, 55.0));
    double lo = 0, hi = 0;
    ChartBuilder::widenFlatRange(lo, hi);
    EXPECT_EQ(std::pair(lo, hi), std::pair(-1.0, 1.0));
}

TEST(ChartData, EveryChartTakesInTheLinesItDraws)
{
    // Limits 88/135 and a target of 150 around readings from 91.4 to 140: both outer lines lie beyond the readings.
    ChartInput in = input(0);
    in.rows = {{1, 91.4, "µm  "}, {2, 120, "µm  "}, {3, 140, "µm  "}};
    in.min = in.minabs = 91.4;
    in.max = in.maxabs = 140;
    in.anz_min = "91.4";
    in.anz_max = "140.0";
    in.Emin = 88, in.Emax = 135, in.Esoll = 150;
    const ChartData data(in);
    for (const ChartDescription& d : {ChartBuilder::mainChart(in, data), ChartBuilder::largeLineChart(in, data),
                                      ChartBuilder::reportLineChart(in, data, 117.1)}) {
        EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(88 - 3.1, 150 + 3.1));
        EXPECT_GE(d.series.size(), 4);
    }
    const ChartDescription h = ChartBuilder::reportHistogram(in, data);
    EXPECT_LE(h.x.minimum, 88);
    EXPECT_GE(h.x.maximum, 150);
    EXPECT_EQ(std::accumulate(h.series[0].values.cbegin(), h.series[0].values.cend(), 0.0), 3);
    // Lines within the readings leave the range as the statistics give it.
    in.Emin = 95, in.Esoll = 100;
    const ChartDescription d = ChartBuilder::mainChart(in, ChartData(in));
    EXPECT_EQ(std::pair(d.y.minimum, d.y.maximum), std::pair(91.4, 140.0));
}
