#include "Program.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "table/TastaturForm.h"
#include "ui/QtDialogs.h"
#include "ui/frmChartG.h"
#include "ui/frmInfo.h"
#include "ui/frmProjekt.h"
#include "ui/frmTastatur.h"
#include "ui/frmTransfer.h"
#include "ui/frmWait.h"
#include "ui/frmWerte.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;

using testsupport::Sandbox;

namespace {

// Copies the built pictures into the sandbox's program folder.
void copyPictures(const QString& to)
{
    for (const char* name : {"RD.gif", "Kovalogo.jpg", "Rahmen.jpg", "Selmarlogo.jpg", "Selmar.ico", "varnotek.png"})
        QFile::copy(QStringLiteral(VT_BIN_DIR "/") + name, to + "/" + name);
}

// The button captions of Qt's file dialog as the program opens it.
QStringList fileDialogButtons(QWidget* parent)
{
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            for (const QAbstractButton* b : d->findChildren<QAbstractButton*>())
                texts << b->text();
            d->reject();
        }
    });
    ui::QtDialogs(parent).openFile("x", QDir::tempPath(), "*.mes");
    return texts;
}

} // namespace

TEST(MainWindow, StartsGermanWithEveryControlAndSwitchesLanguage)
{
    Program p("RD\n#\n");
    copyPictures(p.sandbox.appDir());
    ui::frmTransfer w(*p.session);
    ASSERT_TRUE(w.Form_Load());
    w.show();

    EXPECT_EQ(w.windowTitle(), "RONDO TRANSFER V3.1");
    const QStringList others = {
        Main::MSFlex,     Main::lstStat,       Main::MSChart1, Main::txtSpeicher, Main::txtWait, Main::ComboPort,
        Main::cmdConnect, Main::txtMittelwert, Main::cmdStop,  Main::picTC,       Main::picKova, Main::picRahmen,
        Main::picBth,     Main::picUsb,        Main::Frame1,   Main::Frame3,      Main::Frame4,  Main::Frame5};
    for (const QString& name : shell::Commands::controls() + others)
        EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name.toStdString();

    // The logic's state on the widgets: which commands work without a gauge (start-up tests), captions, pictures.
    auto* open = w.findChild<QPushButton*>(Main::cmdOpen);
    EXPECT_FALSE(w.findChild<QPushButton*>(Main::cmdSave)->isEnabled());
    EXPECT_EQ(w.findChild<QGroupBox*>(Main::Frame5)->title(), "Varnotek GmbH");
    EXPECT_FALSE(w.findChild<QLabel*>(Main::picTC)->pixmap().isNull() ||
                 w.findChild<QLabel*>(Main::picKova)->pixmap().isNull());
    const QIcon icon = w.windowHandle()->icon();
    EXPECT_FALSE(icon.isNull() ||
                 icon.pixmap(16).toImage() == QIcon(p.sandbox.appDir() + "/Selmar.ico").pixmap(16).toImage());

    auto* english = w.findChild<QAction*>(Main::English);
    auto* german = w.findChild<QAction*>(Main::German);
    EXPECT_TRUE(german->isChecked());
    p.main().setVisible(Main::mnuTastaturevent, false); // editions without keystrokes
    EXPECT_FALSE(w.findChild<QAction*>(Main::mnuTastaturevent)->isVisible());
    EXPECT_EQ(w.findChild<QAction*>(Main::mnuEnd)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(w.findChild<QAction*>(Main::mnuHelp1)->shortcut(), QKeySequence(Qt::Key_F1));
    // Qt's own dialogs follow the program's language.
    EXPECT_TRUE(fileDialogButtons(&w).contains("Abbrechen"));

    english->trigger();
    EXPECT_TRUE(fileDialogButtons(&w).contains("Cancel") && (english->isChecked() && !german->isChecked()));
    EXPECT_EQ(open->text(), "Open Data File");
    EXPECT_EQ(w.findChild<QMenu*>(Main::mnuDatei)->title(), "File");
    EXPECT_EQ(Sandbox::readFile(w.state().edition.AppDataPath + "/Language.ini"), QByteArray("1\r\n"));
    german->trigger();
    EXPECT_EQ(w.findChild<QPushButton*>(Main::cmdFlexZeileLoeschen)->text(), "Zeile löschen");

    // Ending works while the commands are disabled.
    w.findChild<QAction*>(Main::mnuEnd)->trigger();
    EXPECT_TRUE(w.quitRequested());
    EXPECT_FALSE(w.isVisible());
}

// Under the partner branding each of the seven windows hands the partner's icon to the window system: also the
// dialogs built before start-up chose the branding and those built after it. (The main window's own icon under the
// maker's branding: MainWindow.StartsGermanWithEveryControlAndSwitchesLanguage.)
TEST(MainWindow, EveryWindowCarriesTheEditionIcon)
{
    Program p("RD\n#\nBR;Selmar;BREVO Line Tool TRANSFER;\n");
    copyPictures(p.sandbox.appDir());
    const QImage partnerIcon = QIcon(p.sandbox.appDir() + "/Selmar.ico").pixmap(16).toImage();
    ASSERT_FALSE(partnerIcon.isNull());
    ui::frmTransfer w(*p.session);
    ASSERT_TRUE(w.Form_Load());
    w.show();
    shell::FormState tastaturState(ctl::frmTastatur::form);
    table::TastaturForm tastaturLogic(tastaturState, p.st.keys, p.dialogs, p.st.texte);
    ui::frmTastatur tastatur(tastaturLogic, &w);
    ui::frmChartG chart(p.dialogs, &w);
    for (QWidget* window : QList<QWidget*>{&w, w.waitWindow(), w.infoWindow(), w.findChild<ui::frmWerte*>(),
                                           w.findChild<ui::frmProjekt*>(), &chart, &tastatur}) {
        ASSERT_NE(window, nullptr);
        window->show();
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->icon().pixmap(16).toImage(), partnerIcon)
            << window->objectName().toStdString();
    }
}
