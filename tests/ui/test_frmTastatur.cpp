// The keystroke forwarding window mirrors its logic: names, captions, the file dialog on a click, OK.
#include "ScriptedDialogs.h"
#include "shell/Controls.h"
#include "shell/FormState.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"
#include "table/TastaturForm.h"
#include "ui/frmTastatur.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace N = ctl::frmTastatur;

TEST(TastaturWindow, ShowsSettingsPicksProgramAndConfirms)
{
    shell::Texte texte;
    texte.LoadMessageTable("TEST V1");
    texte.sprache = 1;
    testsupport::ScriptedDialogs dialogs;
    shell::KeystrokeSettings s;
    s.tastenOptionen = "0010";
    shell::FormState state(N::form);
    table::TastaturForm logic(state, s, dialogs, texte);
    int saves = 0;
    QObject::connect(&logic, &table::TastaturForm::settingsConfirmed, [&] { ++saves; });
    ui::frmTastatur w(logic);
    w.show();
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.windowTitle(), "TEST V1");
    EXPECT_EQ(w.findChild<QGroupBox*>(N::fraTastatur)->title(), "Send key events");
    EXPECT_TRUE(w.findChild<QCheckBox*>(N::chkEinheit)->isChecked() &&
                w.findChild<QRadioButton*>(N::optKeins)->isChecked());

    // A click into the read-only path opens the file dialog.
    auto* path = w.findChild<QLineEdit*>(N::txtAnwendung);
    ASSERT_TRUE(path && path->isReadOnly());
    dialogs.files = QStringList{"/usr/bin/gnumeric"};
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(5, 5), path->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(path, &click);
    EXPECT_EQ(path->text(), "/usr/bin/gnumeric");

    w.findChild<QCheckBox*>(N::chkTastatur)->click();
    w.findChild<QCheckBox*>(N::chkNr)->click();
    w.findChild<QRadioButton*>(N::optEnter)->click();
    w.findChild<QPushButton*>(N::cmdOk)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(s.tastaturAktiv);
    EXPECT_EQ(QStringList({s.anwendung, s.tastenOptionen, s.zeilenende}),
              QStringList({"/usr/bin/gnumeric", "1010", "ENTER"}));
}
