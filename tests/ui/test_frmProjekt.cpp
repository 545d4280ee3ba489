// The project window's wiring: labels on screen, edits fed back, buttons reaching the logic. What the logic does
// with them, and the project lines in a saved table, are the export tests' work.
#include "Program.h"
#include "Sandbox.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "shell/TextFile.h"
#include "table/TableSession.h"
#include "ui/frmTransfer.h"

#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
namespace Projekt = ctl::frmProjekt;

using testsupport::Sandbox;

TEST(ProjectWindow, OpensWithLabelsSavesFieldsAndTheTableGoesToAFile)
{
    Program p("RD\n#\n");
    testsupport::ScriptedDialogs& dlg = p.dialogs;
    ui::frmTransfer w(*p.session);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    shell::AppState& st = w.state();
    Sandbox::writeFile(st.edition.MessDataPath + "/Projekt.ini",
                       shell::TextFile::encode("# labels\r\nKunde;Customer;\r\n\r\nOrt;Place;\r\n#x;y;\r\nA;B;\r\n"
                                               "C;D;\r\nE;F;\r\nBemerkung;Remark;\r\nSieben;Seven;\r\n"));
    shell::Commands::EnableCommands(p.main());

    w.findChild<QPushButton*>(Main::cmdProjekt)->click();
    auto* dialog = w.findChild<QDialog*>(Projekt::form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    // Comments and empty lines skipped, six labels at most.
    EXPECT_EQ(dialog->findChild<QLabel*>(Projekt::lblFelder(2))->text(), "Ort");
    EXPECT_EQ(dialog->findChild<QLabel*>(Projekt::lblFelder(6))->text(), "Bemerkung");
    // The main window's own command frame is not the dialog's frame of the same name.
    EXPECT_EQ(w.findChild<QGroupBox*>(Projekt::Frame1)->parentWidget()->window(), &w);

    auto* field = dialog->findChild<QLineEdit*>(Projekt::txtFelder(1));
    field->setText("Meier AG");
    emit field->textEdited(field->text());
    dialog->findChild<QTimeEdit*>(Projekt::DTPTime)->setTime(QTime(8, 30));
    dialog->findChild<QPushButton*>(Projekt::cmdSpeichern)->click();
    EXPECT_FALSE(dialog->isVisible());
    const QByteArray saved = Sandbox::readFile(st.edition.AppDataPath + "/Projektdaten.ini");
    EXPECT_TRUE(saved.startsWith("Meier AG\r\n\r\n") && saved.endsWith(";08:30\r\n")) << saved.toStdString();

    // Delete empties the fields on screen.
    w.findChild<QPushButton*>(Main::cmdProjekt)->click();
    dialog->findChild<QPushButton*>(Projekt::cmdLoeschen)->click();
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(dialog->findChild<QTimeEdit*>(Projekt::DTPTime)->time(), QTime(0, 0));
    // Opened again while still open, after a language switch: no mix of two languages.
    w.shell().English_Click();
    w.findChild<QPushButton*>(Main::cmdProjekt)->click();
    EXPECT_EQ(dialog->findChild<QGroupBox*>(Projekt::frmRahmen)->title(), "Project data");
    EXPECT_EQ(dialog->findChild<QLabel*>(Projekt::lblFelder(2))->text(), "Place");
    w.shell().German_Click();
    // A picker's inner edit reports typing as any line edit does; it must not feed the window's state, else
    // showing the dialog again wrote the time typed there into the date picker.
    auto* dateEdit = dialog->findChild<QDateEdit*>(Projekt::DTPDate);
    const QString dateShown = dateEdit->text();
    emit dialog->findChild<QTimeEdit*>(Projekt::DTPTime)->findChild<QLineEdit*>()->textEdited("09:30");
    dialog->hide();
    w.findChild<QPushButton*>(Main::cmdProjekt)->click();
    EXPECT_EQ(dateEdit->text(), dateShown);
    dialog->hide();

    EXPECT_TRUE(dlg.shown.isEmpty());
}
