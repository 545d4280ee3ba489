#include "TableFixture.h"

using TableTest = TableFixture;

TEST_F(TableTest, RowsShowTheStoreInFourColumns)
{
    table->TabelleFormatieren();
    EXPECT_EQ(grid().text(0, 2), "Messwert");
    add({.wert = 123.4, .nr = 12, .zeit = "11:12:13"});
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().text(1, 0), "11:12:13");
    EXPECT_EQ(grid().text(1, 1), "     12");
    EXPECT_EQ(grid().text(1, 2), "      123.4");
    EXPECT_EQ(grid().text(1, 3), "µm    Fe");
    EXPECT_EQ(table->aktZeile, 2);

    // A value 0 with number 0 is never shown, nor after a rebuild (which stops at such a row: MesFileTest.OddFiles).
    add({.wert = 0, .nr = 0});
    EXPECT_EQ(grid().Rows(), 2);
    table->StatistikZuruecksetzen();
    table->TabelleAufbauen();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(table->aktZeile, 1);
}

TEST_F(TableTest, SortingMarkingAndDeleting)
{
    st->limits.Emin = 15;
    st->limits.Emax = 100;
    add({.wert = 12.345, .einheit = "mm  "});
    add({.wert = 23.456, .einheit = "mm  ", .material = "NFe"});
    add({.wert = 34.567, .einheit = "mm  ", .material = "ABC"});
    // Sorting toggles the direction; colours go with their rows, the store keeps its order.
    table->cmdSort_Click(); // descending: 3, 2, 1
    EXPECT_EQ(grid().text(3, 1).trimmed(), "1");
    EXPECT_EQ(grid().back(3, 2), st->edition.farbeRot);
    table->cmdSort_Click();
    EXPECT_EQ(grid().text(1, 1).trimmed(), "1");
    table->cmdSort_Click();
    EXPECT_EQ(table->Messdaten.at(0, 1).wert, 12.345);
    EXPECT_TRUE(table::FlexGridModel::genericLess("     9", "    10") &&
                table::FlexGridModel::genericLess("99", "abc"));

    // Marking greys a row, a second click makes it white; the heading row is not marked.
    table->MSFlex_Click(1);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid().back(1, c), st->edition.farbeGrau);
    table->MSFlex_Click(1);
    EXPECT_EQ(grid().back(1, 3), st->edition.farbeWeiss);
    table->MSFlex_Click(0);
    EXPECT_FALSE(grid().back(0, 0).isValid());

    // Two rows marked: one only. The row numbered 2 deleted after the question: the rest renumbered.
    table->MSFlex_Click(1);
    table->MSFlex_Click(2);
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts(), QStringList{"Bitte nur eine Zeile auswählen"});
    table->MSFlex_Click(2); // the table was shown again in its order, unmarked
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), "Wollen Sie die markierte Zeile wirklich löschen?");
    EXPECT_EQ(dialogs.shown.last().buttons, shell::Dialogs::Buttons::OkCancel);
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(table->aktZeile, 2);
    const table::MessRow& r1 = table->Messdaten.at(0, 1);
    const table::MessRow& r2 = table->Messdaten.at(0, 2);
    EXPECT_EQ(r2.nr, 2);
    EXPECT_EQ(r1.wert, 12.345); // stored values move untouched, not re-read from "12.35"
    EXPECT_EQ(r2.wert, 34.567);
    EXPECT_EQ(r2.material, "ABC");
    EXPECT_TRUE(table->Messdaten.at(0, 3).isEmpty());
    EXPECT_EQ(grid().back(1, 1), st->edition.farbeRot); // markings gone with the rebuild
    EXPECT_EQ(st->main().text(Main::optFE), "FE-Speicher (2)");

    // English: nothing marked; a cancelled question; the last row is not deleted on its own.
    st->texte.sprache = 1;
    dialogs.shown.clear();
    table->cmdFlexZeileLoeschen_Click();
    table->MSFlex_Click(1);
    dialogs.answers = {shell::Dialogs::Answer::Cancel};
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(grid().Rows(), 3);
    table->cmdFlexZeileLoeschen_Click();
    table->MSFlex_Click(1);
    table->cmdFlexZeileLoeschen_Click();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(dialogs.texts(), (QStringList{"No entry selected", "Do you really want to delete this row?",
                                            "Do you really want to delete this row?",
                                            "Do you really want to delete this row?", "Please delete Table"}));
}

TEST_F(TableTest, ViewsKeepTheirOwnRowsAndOnlineRestartsAtOne)
{
    addAll({10, 11});
    table->aktZeile = 1; // a memory read starts at row 1
    add({.wert = 50, .material = "NFe", .view = 1});
    table->optFE_Click();
    EXPECT_EQ(grid().Rows(), 3);
    EXPECT_EQ(table->aktZeile, 2);
    table->optNFE_Click();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(stat().at(0), "NFE-Speicher");

    add({.wert = 1, .view = 2});
    add({.wert = 2, .view = 2});
    EXPECT_EQ(table->onlineNr, 3);
    EXPECT_EQ(st->main().text(Main::optOnline), "Online (2)");
    table->cmdFlexTabelleloeschen_Click();
    EXPECT_EQ(dialogs.texts().last(), "Wollen Sie die Tabelle wirklich löschen?");
    EXPECT_EQ(table->onlineNr, 1);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_TRUE(table->Messdaten.at(2, 1).isEmpty());
    EXPECT_FALSE(table->Messdaten.at(0, 1).isEmpty()); // other views untouched
    EXPECT_FALSE(st->main().isVisible(Main::lstStat));
}
