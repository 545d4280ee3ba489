#include "TableFixture.h"

#include "shell/Settings.h"
#include "table/InspectionRules.h"
#include "table/WerteForm.h"

#include <QFile>

using RulesTest = TableFixture;
using shell::RuleKind;

namespace {

std::vector<double> readings(std::initializer_list<std::pair<double, int>> runs)
{
    std::vector<double> out;
    for (const auto& [value, times] : runs)
        out.insert(out.end(), size_t(times), value);
    return out;
}

shell::Limits limitsOf(double emin, double emax, double esoll = 0)
{
    shell::Limits l;
    l.Emin = emin;
    l.Emax = emax;
    l.Esoll = esoll;
    l.E8020 = true;
    return l;
}

QString line(const char* label, const QString& rest)
{
    return QString::fromUtf8(label).leftJustified(16) + QString(6, QLatin1Char(' ')) + rest;
}

} // namespace

TEST_F(RulesTest, NinetyTenAtItsEdges)
{
    const struct {
        std::vector<double> values;
        double esoll, emax;
        bool ok;
        int band;
    } cases[] = {
        {readings({{100, 9}, {95, 1}}), 100, 0, true, 1},     // exactly 10 % in the band passes
        {readings({{100, 8}, {95, 2}}), 100, 0, false, 2},    // 20 %
        {readings({{100, 9}, {90, 1}}), 100, 0, true, 1},     // exactly 90 % is in the band
        {readings({{100, 9}, {89.9, 1}}), 100, 0, false, 0},  // below 90 %
        {readings({{100, 9}, {121, 1}}), 100, 120, false, 0}, // above the maximum
        {readings({{100, 9}, {121, 1}}), 100, 0, true, 0},    // no maximum set
        {readings({{1.1, 9}, {0.99, 1}}), 1.1, 0, true, 1},   // 90 % of 1.1 read as the user reads it
    };
    for (const auto& c : cases) {
        const table::Verdict9010 v = table::evaluate9010(c.values, c.esoll, c.emax);
        EXPECT_EQ(v.ok(), c.ok) << c.values.back();
        EXPECT_EQ(v.band, c.band) << c.values.back();
    }

    // In the table: colours by reading, the verdict with the share in the band.
    st->limits = limitsOf(90, 120, 100);
    st->rule.kind = RuleKind::ImoPspc;
    addAll({100, 95, 90, 89.9, 121, 120});
    const QColor expected[] = {st->edition.farbeGruen, st->edition.farbeOrange, st->edition.farbeOrange,
                               st->edition.farbeRot,   st->edition.farbeRot,    st->edition.farbeGruen};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(grid().back(r, 2), expected[r - 1]) << r;
    EXPECT_EQ(stat().last(), line("90/10 Regel ok:", "Nein  33 %"));
}

TEST_F(RulesTest, SspcPa2SpotsAndAreas)
{
    shell::InspectionRule rule;
    rule.kind = RuleKind::SspcPa2;
    rule.spotsPerArea = 2;
    const shell::Limits limits = limitsOf(100, 200);
    const struct {
        std::vector<double> values;
        shell::Limits limits;
        std::vector<int> spotsOut, areasOut;
        int spots, areas, open;
    } cases[] = {
        {{70, 80, 90}, limits, {}, {}, 1, 0, 0},                     // a spot at exactly 80 % of Emin
        {{70, 80, 89.7}, limits, {1}, {}, 1, 0, 0},                  // 79.9
        {{240, 240, 240, 100, 100, 100}, limits, {}, {}, 2, 1, 0},   // exactly 120 % of Emax
        {{100, 100, 100, 80, 80, 80, 10}, limits, {}, {1}, 2, 1, 1}, // area below Emin, open spot
        {{0.88, 0.88, 0.88}, limitsOf(1.1, 2), {}, {}, 1, 0, 0},     // 80 % of 1.1
    };
    for (const auto& c : cases) {
        const table::VerdictPa2 v = table::evaluatePa2(c.values, c.limits, rule);
        EXPECT_EQ(v.spotsOutside, c.spotsOut) << c.values.size();
        EXPECT_EQ(v.areasOutside, c.areasOut) << c.values.size();
        EXPECT_EQ(v.spots, c.spots);
        EXPECT_EQ(v.areas, c.areas);
        EXPECT_EQ(v.openReadings, c.open);
    }

    // In the table: a spot is coloured once complete, every reading by its spot; the last spot stays open.
    st->limits = limits;
    st->rule = rule;
    addAll({70, 80});
    EXPECT_FALSE(grid().back(1, 0).isValid());
    add({.wert = 90});
    addAll({50, 50, 50, 150});
    const QColor green = st->edition.farbeGruen, red = st->edition.farbeRot;
    for (int pass = 0; pass < 2; ++pass) { // as appended, then rebuilt
        for (int r = 1; r <= 6; ++r)
            EXPECT_EQ(grid().back(r, 0), r <= 3 ? green : red) << r;
        EXPECT_FALSE(grid().back(7, 0).isValid());
        EXPECT_EQ(
            stat().mid(stat().size() - 4),
            (QStringList{line("PA 2 Regel ok:", "Nein  Stufe 3"), line("Spots:", "2, offen: 1 von 3"),
                         line("Spots außerhalb:", "1 (Nr. 2)"), line("Flächen:", "1, 1 außerhalb (Nr. 1), 1 offen")}));
        table->AnsichtAktualisieren();
    }
    st->texte.sprache = 1;
    st->rule.spotMinPct = 50;
    table->AnsichtAktualisieren();
    EXPECT_EQ(grid().back(4, 0), green);
    EXPECT_EQ(stat().at(stat().size() - 4), line("PA 2 rule ok:", "No custom level 50/120 %"));
}

TEST_F(RulesTest, Iso19840RoughnessAndSamplingPlan)
{
    const std::pair<double, int> plan[] = {{0.0, 0},   {0.5, 5},   {1.0, 5},    {1.01, 10},  {3.0, 10},   {3.5, 15},
                                           {10.0, 15}, {30.0, 20}, {100.0, 30}, {101.0, 40}, {200.0, 40}, {201.0, 50}};
    for (const auto& [area, minimum] : plan)
        EXPECT_EQ(table::minimumReadings(area), minimum) << area;

    // 25 µm off each reading moves 105 onto 80 % of the target (orange) and 104.9 below it (red); the table and
    // the figures keep the readings as measured.
    st->limits = limitsOf(80, 200, 100);
    st->rule.roughness = shell::Roughness::Medium;
    st->rule.inspectionArea = 3;
    addAll({105, 104.9, 130});
    EXPECT_EQ(grid().back(1, 2), st->edition.farbeOrange);
    EXPECT_EQ(grid().back(2, 2), st->edition.farbeRot);
    EXPECT_EQ(grid().back(3, 2), st->edition.farbeGruen);
    EXPECT_EQ(grid().text(2, 2).trimmed(), QStringLiteral("104.9"));
    EXPECT_TRUE(table->statistik().Fehler8020);
    const QStringList lines = stat();
    EXPECT_EQ(lines.at(5), QStringLiteral("Minimum") + QString(15, QLatin1Char(' ')) + QStringLiteral("104.9 µm  "));
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{line("80/20 Regel ok:", "Nein  33 %"), line("Rauheit:", "mittel, 25 µm abgezogen"),
                           line("Mindestanzahl:", "10 nicht erfüllt")}));
}

TEST_F(RulesTest, RuleFileBesideLimitIni)
{
    const QString file = st->edition.AppDataPath + QStringLiteral("/Regel.ini");
    // The plain 80/20 rule writes no file of its own.
    shell::Settings::Voreinstellungen(*st, QStringLiteral("LS"));
    EXPECT_FALSE(QFile::exists(file));

    st->rule = {.kind = RuleKind::SspcPa2,
                .inspectionArea = 12.5,
                .spotSize = 4,
                .spotsPerArea = 2,
                .spotMinPct = 75,
                .spotMaxPct = 130};
    const shell::InspectionRule saved = st->rule;
    shell::Settings::Voreinstellungen(*st, QStringLiteral("LS"));
    EXPECT_EQ(testsupport::Sandbox::readFile(file), "PA2;none;12.5;4;2;75;130;\r\n");
    restart();
    shell::Settings::Voreinstellungen(*st, QStringLiteral("LL"));
    EXPECT_TRUE(st->rule == saved);

    // A line that is no rule is reported and leaves the rule as it was.
    for (const char* bad : {"PA3;", "8020;rough;", "PA2;none;0;2;", "9010;none;-1;"}) {
        testsupport::Sandbox::writeFile(file, QByteArray(bad) + "\r\n");
        shell::Settings::Voreinstellungen(*st, QStringLiteral("LL"));
        EXPECT_TRUE(st->rule == saved) << bad;
        EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Probleme beim Lesen Datei Regel.ini: Type mismatch"));
    }
}

TEST_F(RulesTest, DialogChoosesTheRuleAndItsSettings)
{
    namespace Werte = ctl::frmWerte;
    table::WerteForm& w = table->werte();
    shell::FormState& f = w.form();
    const auto choose = [&](int entry) {
        f.takeTextFromUser(Werte::cboRegel, f.items(Werte::cboRegel).at(entry));
        w.cboRegel_Click();
    };
    const auto enter = [&](const QString& box, const QString& text) {
        f.takeTextFromUser(box, text);
        return box == Werte::txtMinLimit ? w.txtMinLimit_LostFocus()
               : box == Werte::txtSoll   ? w.txtSoll_LostFocus()
                                         : w.ruleBox_LostFocus(box);
    };
    w.Form_Activate();
    EXPECT_EQ(f.text(Werte::cboRegel), QStringLiteral("80/20 (ISO 19840)"));
    EXPECT_TRUE(f.isVisible(Werte::txtFlaeche));
    EXPECT_FALSE(f.isVisible(Werte::txtSpot));

    // 90/10: the minimum follows 90 % of the target, with the 80/20 rule's message in its form.
    choose(1);
    EXPECT_EQ(f.text(Werte::chk8020), QStringLiteral("90/10"));
    EXPECT_FALSE(f.isVisible(Werte::frmRegel));
    f.takeCheckedFromUser(Werte::chk8020, true);
    w.chk8020_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Eingabe Sollwert bei 90/10 Regel erforderlich"));
    enter(Werte::txtMinLimit, QStringLiteral("50"));
    enter(Werte::txtSoll, QStringLiteral("100"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Min Limit  an 90/10 Regel angepasst von 50 nach 90"));
    EXPECT_EQ(f.text(Werte::txtMinLimit), QStringLiteral("90"));

    // SSPC-PA 2 needs both limits; its spot settings are checked as each box is left.
    choose(2);
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Eingabe Min Limit und Max Limit bei SSPC-PA 2 erforderlich"));
    EXPECT_TRUE(f.isVisible(Werte::txtSpot));
    EXPECT_FALSE(enter(Werte::txtSpot, QStringLiteral("2")));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Erlaubt sind ganze Zahlen von 3 bis 100"));
    EXPECT_EQ(f.focused(), Werte::txtSpot);
    EXPECT_FALSE(enter(Werte::txtSpotMax, QStringLiteral("x")));
    EXPECT_TRUE(enter(Werte::txtSpot, QStringLiteral("4")));
    EXPECT_TRUE(enter(Werte::txtSpotMin, QStringLiteral("75")));
    EXPECT_EQ(st->rule.spotSize, 4);
    EXPECT_EQ(f.text(Werte::lblStufe), QStringLiteral("Eigene Stufe"));
    w.cmdInfo_Click();
    EXPECT_TRUE(dialogs.texts().last().startsWith(
        QStringLiteral("Die Regel nach SSPC-PA 2 :\n1) Je 4 aufeinanderfolgende Werte bilden einen Spot")));

    // Back to ISO 19840 with its additions: the Info text names them; an empty area is none.
    choose(0);
    f.takeTextFromUser(Werte::cboRauheit, f.items(Werte::cboRauheit).at(3));
    w.cboRauheit_Click();
    EXPECT_TRUE(enter(Werte::txtFlaeche, QStringLiteral("12")));
    st->texte.sprache = 1;
    w.cmdInfo_Click();
    EXPECT_TRUE(dialogs.texts().last().contains(
        QStringLiteral("\n5) Roughness correction: 40 µm are subtracted from each µm value for the evaluation; the "
                       "table shows the values as measured\n6) Inspection area 12 (m² or m): at least 20 readings\n")));
    EXPECT_TRUE(enter(Werte::txtFlaeche, QString()));
    EXPECT_EQ(st->rule.inspectionArea, 0);
}
