#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "ui/frmTransfer.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using testsupport::Sandbox;

namespace {

// Copies the built pictures into the sandbox's program folder.
void copyPictures(const QString& to)
{
    for (const char* name : {"RD.gif", "Kovalogo.jpg", "Rahmen.jpg", "Selmarlogo.jpg", "Selmar.ico"})
        QFile::copy(QStringLiteral(VT_BIN_DIR "/") + name, to + "/" + name);
}

} // namespace

TEST(MainWindow, StartsGermanWithEveryControlAndSwitchesLanguage)
{
    Sandbox sb;
    sb.writeKonfi("RD\n#\n");
    copyPictures(sb.appDir());
    testsupport::ScriptedDialogs dlg;
    ui::frmTransfer w(sb.appDir(), &dlg);
    ASSERT_TRUE(w.Form_Load());
    w.show();

    EXPECT_EQ(w.windowTitle(), "RONDO TRANSFER V3.1");
    for (const char* name : {"MSFlex", "lstStat", "MSChart1", "txtSpeicher", "txtWait", "ComboPort", "cmdConnect",
                             "optFE", "optNFE", "optOnline", "cmdOpen", "cmdSave", "cmdprint", "cmdWord",
                             "cmdClipboard", "cmdExcel", "cmdLesNFE", "cmdLesFE", "cmdLesen", "cmdEnde", "cmdWerte",
                             "cmdProjekt", "cmdFlexTabelleloeschen", "cmdFlexZeileLoeschen", "cmdSort", "cmdChart",
                             "cmdAbs", "cmdGross", "txtMittelwert", "cmdStop", "picTC", "picKova", "picRahmen",
                             "picBth", "picUsb", "Frame1", "Frame3", "Frame4", "Frame5"})
        EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name;

    auto* open = w.findChild<QPushButton*>("cmdOpen");
    EXPECT_EQ(open->text(), "Datei öffnen");
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(w.findChild<QPushButton*>("cmdLesen")->isVisible());
    EXPECT_EQ(w.findChild<QGroupBox*>("Frame5")->title(), "Varnotek GmbH");
    EXPECT_FALSE(w.findChild<QLabel*>("picTC")->pixmap().isNull());
    EXPECT_FALSE(w.findChild<QLabel*>("picKova")->pixmap().isNull());

    auto* english = w.findChild<QAction*>("English");
    auto* german = w.findChild<QAction*>("German");
    EXPECT_TRUE(german->isChecked());
    EXPECT_EQ(w.findChild<QAction*>("mnuEnd")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(w.findChild<QAction*>("mnuHelp1")->shortcut(), QKeySequence(Qt::Key_F1));

    english->trigger();
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(german->isChecked());
    EXPECT_EQ(open->text(), "Open Data File");
    EXPECT_EQ(w.findChild<QLabel*>("txtWait")->text(), "Please wait....");
    EXPECT_EQ(w.findChild<QMenu*>("mnuDatei")->title(), "File");
    EXPECT_EQ(Sandbox::readFile(w.state().AppDataPath + "/Language.ini"), QByteArray("1\r\n"));
    german->trigger();
    EXPECT_EQ(w.findChild<QPushButton*>("cmdFlexZeileLoeschen")->text(), "Zeile löschen");

    // Ending works while the commands are disabled.
    w.findChild<QAction*>("mnuEnd")->trigger();
    EXPECT_TRUE(w.quitRequested());
    EXPECT_FALSE(w.isVisible());
}

TEST(MainWindow, NextStartIsEnglishAndMissingPicturesAreSkipped)
{
    Sandbox sb;
    sb.writeKonfi("VX5\n");
    testsupport::ScriptedDialogs dlg;
    {
        ui::frmTransfer first(sb.appDir(), &dlg);
        ASSERT_TRUE(first.Form_Load());
        first.findChild<QAction*>("English")->trigger();
    }
    ui::frmTransfer w(sb.appDir(), &dlg);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    EXPECT_EQ(w.windowTitle(), "VX-500 TRANSFER V3.1");
    EXPECT_TRUE(w.findChild<QAction*>("English")->isChecked());
    EXPECT_EQ(w.findChild<QPushButton*>("cmdSave")->text(), "Save to File");
    EXPECT_TRUE(w.findChild<QLabel*>("picTC")->pixmap().isNull());
    EXPECT_FALSE(w.findChild<QAction*>("mnuTastaturevent")->isVisible());
    EXPECT_TRUE(dlg.shown.isEmpty());
}
