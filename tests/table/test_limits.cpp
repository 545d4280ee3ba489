#include "TableFixture.h"

#include "table/WerteForm.h"

#include <map>

namespace Werte = ctl::frmWerte;

using LimitsTest = TableFixture;

namespace {
const QString kMin = Werte::txtMinLimit;
const QString kMax = Werte::txtMaxLimit;
const QString kSoll = Werte::txtSoll;
} // namespace

TEST_F(LimitsTest, ColoursAtTheBoundaries)
{
    st->limits = {80, 120, 100, true, "80", "120", "100"};
    addAll({85, 99, 100, 120, 79.9, 120.1, 80});
    const QColor o = st->edition.farbeOrange, g = st->edition.farbeGruen, r = st->edition.farbeRot;
    const QColor expected[] = {o, o, g, g, r, r, o};
    for (int row = 1; row <= 7; ++row)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grid().back(row, c), expected[row - 1]) << "row " << row << " col " << c;

    // No limits, rule off: nothing coloured. Only a minimum: every positive value is red.
    st->limits = {};
    table->AnsichtAktualisieren();
    EXPECT_FALSE(grid().back(1, 0).isValid());
    st->limits.Emin = 10;
    table->AnsichtAktualisieren();
    EXPECT_EQ(grid().back(3, 2), r);
}

TEST_F(LimitsTest, EightyTwentyVerdict)
{
    st->limits = {80, 120, 100, true, "80", "120", "100"};
    addAll({85, 90, 110, 110, 110, 110, 110, 110, 110, 110});
    EXPECT_EQ(stat().last(), "80/20 Regel ok:       Ja 20 %");

    table->StatistikZuruecksetzen();
    table->MessdatenLoeschen();
    st->texte.sprache = 1;
    addAll({85, 90, 95, 115, 115, 115, 115, 115, 115, 115});
    EXPECT_TRUE(table->statistik().FehlerProzent8020);
    EXPECT_FALSE(table->statistik().Fehler8020);
    EXPECT_EQ(stat().last(), "80/20 rule ok:        No 30 %");

    // A value outside the band sticks until the next reset.
    table->StatistikZuruecksetzen();
    st->texte.sprache = 0;
    addAll({130, 110});
    EXPECT_TRUE(table->statistik().Fehler8020);
    EXPECT_EQ(table->statistik().Text8020, "Nein ");
}

TEST_F(LimitsTest, EightyPercentOfAFractionalTargetIsInTheBand)
{
    // Target 1.1 with the rule: the minimum becomes 0.88, and a value of 0.88 is orange and counted.
    table::WerteForm& w = table->werte();
    shell::FormState& f = w.form();
    w.Form_Activate();
    f.takeTextFromUser(kMax, "2");
    w.txtMaxLimit_LostFocus();
    f.takeTextFromUser(kSoll, "1.1");
    w.txtSoll_LostFocus();
    f.takeCheckedFromUser(Werte::chk8020, true);
    w.chk8020_Click();
    EXPECT_EQ(st->limits.Emin, 0.88);
    EXPECT_EQ(f.text(kMin), "0.88");
    addAll({0.88, 1.2});
    EXPECT_EQ(grid().back(1, 2), st->edition.farbeOrange);
    EXPECT_EQ(table->statistik().Anz8020, 1);
    EXPECT_FALSE(table->statistik().Fehler8020);
}

// The caption shows decimals only when a limit has some (to a thousandth: 4.0004 has none, 0.0006 has one), in the
// user's number format.
TEST_F(LimitsTest, CaptionOfTheLimitsButton)
{
    const std::tuple<const char*, double, double, double, const char*> cases[] = {
        {"en_US.UTF-8", 0, 0, 0, "Grenzwerte"},
        {"en_US.UTF-8", 80, 200, 100, ">     80\r\n<    200\r\n=    100"},
        {"en_US.UTF-8", 4.0004, 20, 0, ">      4\r\n<     20\r\n=      0"},
        {"en_US.UTF-8", 10.5, 20, 15, ">   10.5\r\n<   20.0\r\n=   15.0"},
        {"de_DE.UTF-8", 0.0006, 20, 7.05, ">    0,0\r\n<   20,0\r\n=    7,1"}};
    for (const auto& [locale, emin, emax, esoll, caption] : cases) {
        testsupport::Sandbox::setLocale(locale);
        st->limits.Emin = emin;
        st->limits.Emax = emax;
        st->limits.Esoll = esoll;
        table->GrenzwerteAnzeigen();
        EXPECT_EQ(st->main().text(Main::cmdWerte), caption) << emin << " " << esoll;
    }
}

TEST_F(LimitsTest, DialogValidatesEachBox)
{
    table::WerteForm& w = table->werte();
    shell::FormState& f = w.form();
    w.Form_Activate();
    EXPECT_EQ(f.text(kMin), "0");
    // Each entry typed into a box and the box left: whether it is taken, the box's text then, the message.
    const struct {
        QString box, typed;
        bool taken;
        const char *shown, *message;
    } steps[] = {
        {kMin, "abc", false, "abc", "Eingabe muss numerisch sein!"},
        {kMin, "-50", true, "50", "Nur positive Werte erlaubt"},
        {kMax, "40", true, "40", "Minimum größer als Maximum!"},
        {kMax, "120", true, "120", ""},
        {kSoll, "130", true, "130", "Sollwert muss zwischen Minimum und Maximum liegen!"},
        {kSoll, "", true, "0", ""},
    };
    const std::map<QString, bool (table::WerteForm::*)()> leave = {{kMin, &table::WerteForm::txtMinLimit_LostFocus},
                                                                   {kMax, &table::WerteForm::txtMaxLimit_LostFocus},
                                                                   {kSoll, &table::WerteForm::txtSoll_LostFocus}};
    for (const auto& step : steps) {
        dialogs.shown.clear();
        f.takeTextFromUser(step.box, step.typed);
        EXPECT_EQ((w.*leave.at(step.box))(), step.taken) << step.typed.toStdString();
        EXPECT_EQ(f.text(step.box), step.shown);
        EXPECT_EQ(dialogs.texts().join(""), step.message);
        EXPECT_TRUE(step.taken || f.focused() == step.box);
    }
    EXPECT_EQ(std::pair(st->limits.Emin, st->limits.Emax), std::pair(50.0, 120.0));

    dialogs.shown.clear();
    f.takeCheckedFromUser(Werte::chk8020, true);
    w.chk8020_Click();
    EXPECT_TRUE(st->limits.E8020);
    EXPECT_EQ(dialogs.texts(), QStringList{"Eingabe Sollwert bei 80/20 Regel erforderlich"});

    // Target 100 with the rule on moves the minimum from 50 to 80.
    dialogs.shown.clear();
    f.takeTextFromUser(kSoll, "100");
    w.txtSoll_LostFocus();
    EXPECT_EQ(dialogs.texts(), QStringList{"Min Limit  an 80/20 Regel angepasst von 50 nach 80"});
    EXPECT_EQ(f.text(kMin), "80");

    w.cmdLoeschen_Click();
    EXPECT_FALSE(st->limits.E8020 || f.isChecked(Werte::chk8020));
    EXPECT_EQ(f.text(kMax), "0");
    EXPECT_DOUBLE_EQ(st->limits.Emax, 0);

    w.cmdInfo_Click();
    EXPECT_TRUE(dialogs.texts().last().startsWith("Die 80/20 Regel nach ISO 19840 :\n1) "));

    // The user's decimal comma.
    testsupport::Sandbox::setLocale("de_DE.UTF-8");
    f.takeTextFromUser(kMin, "12,5");
    EXPECT_TRUE(w.txtMinLimit_LostFocus());
    EXPECT_DOUBLE_EQ(st->limits.Emin, 12.5);
}
