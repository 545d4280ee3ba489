// The project window's wiring: labels on screen, edits fed back, buttons reaching the logic. What the logic does
// with them is the export tests' work.
#include "Sandbox.h"
#include "ScriptedDialogs.h"
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

using testsupport::Sandbox;

TEST(ProjectWindow, OpensWithLabelsSavesFieldsAndTheTableGoesToAFile)
{
    Sandbox sb;
    sb.writeKonfi("RD\n#\n");
    testsupport::ScriptedDialogs dlg;
    ui::frmTransfer w(sb.appDir(), &dlg);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    shell::AppState& st = w.state();
    Sandbox::writeFile(st.MessDataPath + "/Projekt.ini", shell::TextFile::encode("Kunde;Customer;\r\nOrt;Place;\r\n"));
    w.shell().EnableCommands();

    w.findChild<QPushButton*>("cmdProjekt")->click();
    auto* dialog = w.findChild<QDialog*>("frmProjekt");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), st.programTitle);
    EXPECT_EQ(dialog->findChild<QLabel*>("lblFelder2")->text(), "Ort");
    // The main window's own command frame is not the dialog's frame of the same name.
    EXPECT_EQ(w.findChild<QGroupBox*>("Frame1")->parentWidget()->window(), &w);

    auto* field = dialog->findChild<QLineEdit*>("txtFelder1");
    field->setText("Meier AG");
    emit field->textEdited(field->text());
    dialog->findChild<QTimeEdit*>("DTPTime")->setTime(QTime(8, 30));
    dialog->findChild<QPushButton*>("cmdSpeichern")->click();
    EXPECT_FALSE(dialog->isVisible());
    const QByteArray saved = Sandbox::readFile(st.AppDataPath + "/Projektdaten.ini");
    EXPECT_TRUE(saved.startsWith("Meier AG\r\n\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(";08:30\r\n")) << saved.toStdString();

    // Delete empties the fields on screen.
    w.findChild<QPushButton*>("cmdProjekt")->click();
    dialog->findChild<QPushButton*>("cmdLoeschen")->click();
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(dialog->findChild<QTimeEdit*>("DTPTime")->time(), QTime(0, 0));
    // Opened again while still open, after a language switch: no mix of two languages.
    w.shell().English_Click();
    w.findChild<QPushButton*>("cmdProjekt")->click();
    EXPECT_EQ(dialog->findChild<QPushButton*>("cmdSpeichern")->text(), "Save");
    EXPECT_EQ(dialog->findChild<QGroupBox*>("frmRahmen")->title(), "Project data");
    EXPECT_EQ(dialog->findChild<QLabel*>("lblFelder2")->text(), "Place");
    w.shell().German_Click();
    // A picker's inner edit reports typing as any line edit does; it must not feed the window's state, else
    // showing the dialog again wrote the time typed there into the date picker.
    auto* dateEdit = dialog->findChild<QDateEdit*>("DTPDate");
    const QString dateShown = dateEdit->text();
    emit dialog->findChild<QTimeEdit*>("DTPTime")->findChild<QLineEdit*>()->textEdited("09:30");
    dialog->hide();
    w.findChild<QPushButton*>("cmdProjekt")->click();
    EXPECT_EQ(dateEdit->text(), dateShown);
    dialog->hide();

    // cmdSave writes the table with the project lines; cmdOpen loads it back into the shown view.
    w.tableSession()->appendRow(0, QString(), "12:00:00", 1, 42.0, "µm  ", " Fe");
    dlg.files << "table";
    w.findChild<QPushButton*>("cmdSave")->click();
    const QByteArray file = Sandbox::readFile(st.MessDataPath + "/mes/table.mes");
    EXPECT_TRUE(file.contains("#  Kunde Meier AG\r\n")) << file.toStdString();
    w.tableSession()->Messdaten.MessdatenLoeschen(0);
    dlg.files << st.MessDataPath + "/mes/table.mes";
    w.findChild<QPushButton*>("cmdOpen")->click();
    EXPECT_EQ(w.tableSession()->Messdaten.rowCount(0), 1);
    EXPECT_EQ(w.findChild<QAbstractButton*>("optFE")->text(), "table.mes (1)");
    EXPECT_TRUE(dlg.shown.isEmpty());
}
