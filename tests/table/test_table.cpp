#include "TableFixture.h"

using TableTest = TableFixture;

TEST_F(TableTest, RowsShowTheStoreInFourColumns)
{
    table->TabelleFormatieren();
    EXPECT_EQ(grid().text(0, 0), QStringLiteral("01.02.2024"));
    EXPECT_EQ(grid().text(0, 2), QStringLiteral("Messwert"));
    ASSERT_TRUE(table->appendRow(0, QStringLiteral("03.04.2024"), QStringLiteral("11:12:13"), 12, 123.4,
                                 QStringLiteral("µm  "), QStringLiteral(" Fe")));
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().text(0, 0), QStringLiteral("03.04.2024"));
    EXPECT_EQ(grid().text(1, 0), QStringLiteral("11:12:13"));
    EXPECT_EQ(grid().text(1, 1), QStringLiteral("     12"));
    EXPECT_EQ(grid().text(1, 2), QStringLiteral("      123.4"));
    EXPECT_EQ(grid().text(1, 3), QStringLiteral("µm    Fe"));
    EXPECT_EQ(table->aktZeile, 2);

    // A value 0 with number 0 is never shown, and a rebuild stops at the first such row.
    ASSERT_TRUE(table->appendRow(0, QString(), QString(), 0, 0, QStringLiteral("µm  "), QString()));
    EXPECT_EQ(grid().Rows(), 2);
    table->Messdaten.at(0, 3) = {QStringLiteral("x"), QStringLiteral("x"), 3, 7.0, QStringLiteral("µm  "), {}};
    table->StatistikZuruecksetzen();
    table->TabelleAufbauen();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(table->aktZeile, 1);
    EXPECT_EQ(grid().text(0, 0), QStringLiteral("01.02.2024"));
}

TEST_F(TableTest, MarkingTogglesGreyAndWhite)
{
    st->limits.Emin = 1;
    st->limits.Emax = 100;
    addAll({10, 20});
    EXPECT_EQ(grid().back(1, 1), st->edition.farbeGruen);
    table->MSFlex_Click(1);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid().back(1, c), st->edition.farbeGrau);
    table->MSFlex_Click(1);
    EXPECT_EQ(grid().back(1, 3), st->edition.farbeWeiss);
    EXPECT_EQ(grid().back(2, 3), st->edition.farbeGruen);
    table->MSFlex_Click(0); // heading row is not marked
    EXPECT_FALSE(grid().back(0, 0).isValid());
}

TEST_F(TableTest, DeleteOneOfThreeMarkedRows)
{
    add(12.345, QStringLiteral("mm  "), QStringLiteral(" Fe"));
    add(23.456, QStringLiteral("mm  "), QStringLiteral("NFe"));
    add(34.567, QStringLiteral("mm  "), QStringLiteral("ABC"));
    table->cmdSort_Click(); // descending: 3, 2, 1
    table->MSFlex_Click(2); // the row numbered 2
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Wollen Sie die markierte Zeile wirklich löschen?")});
    EXPECT_EQ(dialogs.shown.last().buttons, shell::Dialogs::Buttons::OkCancel);
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(table->aktZeile, 2);
    const table::MessRow& r1 = table->Messdaten.at(0, 1);
    const table::MessRow& r2 = table->Messdaten.at(0, 2);
    EXPECT_EQ(r2.nr, 2);
    EXPECT_EQ(r1.wert, 12.345); // stored values move untouched, not re-read from "12.35"
    EXPECT_EQ(r2.wert, 34.567);
    EXPECT_EQ(r1.material, QStringLiteral(" Fe"));
    EXPECT_EQ(r2.material, QStringLiteral("ABC"));
    EXPECT_TRUE(table->Messdaten.at(0, 3).isEmpty());
    EXPECT_EQ(grid().text(2, 3), QStringLiteral("mm   ABC"));
    EXPECT_EQ(grid().back(1, 1), QColor()); // markings gone with the rebuild
    EXPECT_EQ(st->main().text(Main::optFE), QStringLiteral("FE-Speicher (2)"));
}

TEST_F(TableTest, DeleteRowMessages)
{
    add(10);
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Kein Eintrag ausgewählt"));

    st->texte.sprache = 1;
    table->MSFlex_Click(1);
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Please delete Table"));
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(table->Messdaten.at(0, 1).wert, 10);

    dialogs.answers = {shell::Dialogs::Answer::Cancel};
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Do you really want to delete this row?"));

    add(20);
    table->MSFlex_Click(2);
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Please choose only one row"));
    EXPECT_NE(grid().back(1, 1), st->edition.farbeGrau);
    EXPECT_EQ(grid().Rows(), 3);
}

TEST_F(TableTest, SortTogglesDirectionAndKeepsColours)
{
    st->limits.Emin = 15;
    st->limits.Emax = 100;
    addAll({10, 20, 30});
    table->cmdSort_Click();
    EXPECT_EQ(grid().text(1, 1).trimmed(), QStringLiteral("3"));
    EXPECT_EQ(grid().text(3, 2).trimmed(), QStringLiteral("10.0"));
    EXPECT_EQ(grid().back(3, 2), st->edition.farbeRot);
    table->cmdSort_Click();
    EXPECT_EQ(grid().text(1, 1).trimmed(), QStringLiteral("1"));
    EXPECT_EQ(grid().back(1, 0), st->edition.farbeRot);
    EXPECT_EQ(table->Messdaten.at(0, 1).wert, 10); // the store keeps its order
    EXPECT_TRUE(table::FlexGridModel::genericLess("     9", "    10"));
    EXPECT_TRUE(table::FlexGridModel::genericLess("99", "abc"));
}

TEST_F(TableTest, ViewsKeepTheirOwnRowsAndOnlineRestartsAtOne)
{
    addAll({10, 11});
    table->aktZeile = 1; // a memory read starts at row 1
    add(50, QStringLiteral("µm  "), QStringLiteral("NFe"), 1);
    table->optFE_Click();
    EXPECT_EQ(grid().Rows(), 3);
    EXPECT_EQ(table->aktZeile, 2);
    EXPECT_EQ(stat().at(4).trimmed(), QStringLiteral("Anzahl                 2"));
    table->optNFE_Click();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(stat().at(0), QStringLiteral("NFE-Speicher"));
    EXPECT_TRUE(st->main().isChecked(Main::optNFE));

    add(1, QStringLiteral("µm  "), QStringLiteral(" Fe"), 2);
    add(2, QStringLiteral("µm  "), QStringLiteral(" Fe"), 2);
    EXPECT_EQ(table->onlineNr, 3);
    EXPECT_EQ(stat().at(0), QStringLiteral("ONLINE"));
    EXPECT_EQ(st->main().text(Main::optOnline), QStringLiteral("Online (2)"));
    table->cmdFlexTabelleloeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Wollen Sie die Tabelle wirklich löschen?"));
    EXPECT_EQ(table->onlineNr, 1);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_TRUE(table->Messdaten.at(2, 1).isEmpty());
    EXPECT_FALSE(table->Messdaten.at(0, 1).isEmpty()); // other views untouched
    EXPECT_FALSE(st->main().isVisible(Main::lstStat));
}
