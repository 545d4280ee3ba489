#include "ExportFixture.h"

#include "export/ProjektDialog.h"

#include <QDate>
#include <QTime>

namespace Projekt = ctl::frmProjekt;

using ProjektTest = ExportFixture;

TEST_F(ProjektTest, DateTimeDefaultsDeleteAndSave)
{
    reports::ProjektDialog& p = exp->projekt();
    shell::FormState& f = p.form();

    // Nothing stored: today.
    p.Form_Activate();
    const QString today = QDate::currentDate().toString("dd.MM.yyyy");
    EXPECT_EQ(f.text(Projekt::DTPDate), today);

    // Delete: date today, time 00:00, fields empty (the window test sees them); nothing written.
    f.setText(Projekt::DTPDate, "01.01.2020");
    p.cmdLoeschen_Click();
    EXPECT_EQ(f.text(Projekt::DTPDate), today);
    EXPECT_FALSE(QFile::exists(st->edition.AppDataPath + QStringLiteral("/Projektdaten.ini")));

    // Save: seven lines, then the dialog goes away; the values come back after a restart.
    f.setText(Projekt::txtFelder(1), "Brücke Süd");
    f.setText(Projekt::txtFelder(3), "Los 4");
    f.setText(Projekt::DTPDate, "24.12.2023");
    f.setText(Projekt::DTPTime, "17:45");
    p.cmdSpeichern_Click();
    EXPECT_EQ(testsupport::Sandbox::readFile(st->edition.AppDataPath + QStringLiteral("/Projektdaten.ini")),
              shell::TextFile::encode("Brücke Süd\r\n\r\nLos 4\r\n\r\n\r\n\r\nDT 24.12.2023;17:45\r\n"));

    restart();
    exp->cmdProjekt_Click();
    shell::FormState& g = exp->projekt().form();
    EXPECT_EQ(g.text(Projekt::txtFelder(1)), "Brücke Süd");
    EXPECT_EQ(g.text(Projekt::DTPDate), "24.12.2023");
    EXPECT_EQ(g.text(Projekt::DTPTime), "17:45");
    exp->projekt().Form_Activate(); // a stored date and time stay
    EXPECT_EQ(g.text(Projekt::DTPTime), "17:45");
}
