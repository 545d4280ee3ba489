// The dialog's logic and the start of the receiving program, with a recording stand-in for the desktop.
#include "ScriptedDialogs.h"
#include "shell/Controls.h"
#include "shell/FormState.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"
#include "shell/TransferLog.h"
#include "table/KeySender.h"
#include "table/TastaturForm.h"
#include "table/TastaturSender.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace N = ctl::frmTastatur;

namespace {

struct RecordingKeys : table::KeySender {
    QStringList calls;
    qint64 nextPid = 4711;
    std::function<void()> whileActivating; // stands for events that run while the window is awaited
    bool hasDisplay() const override { return true; }
    qint64 startProgram(const QString& path, QString& error) override
    {
        calls << "start " + path;
        error = "file not found";
        return nextPid;
    }
    bool activate(qint64 pid) override
    {
        calls << "activate " + QString::number(pid);
        if (auto f = std::exchange(whileActivating, nullptr))
            f();
        return true;
    }
    bool typeText(const QString& text) override { return calls << "type " + text, true; }
    bool pressEnter() override { return calls << "enter", true; }
};

struct KeysForm : ::testing::Test {
    shell::Texte texte;
    testsupport::ScriptedDialogs dialogs;
    shell::KeystrokeSettings s;
    shell::FormState f{N::form};
    RecordingKeys keys;
    table::TastaturForm form{f, s, dialogs, texte};
    shell::TransferLog log;
    table::TastaturSender sender{s, keys, dialogs, texte, log};
    QStringList saved; // the settings as each confirmation hands them over for saving

    void SetUp() override
    {
        texte.LoadMessageTable("TEST V1");
        QObject::connect(&form, &table::TastaturForm::settingsConfirmed, [this] {
            saved
                << QStringLiteral("%1;%2;%3;%4").arg(s.tastaturAktiv).arg(s.anwendung, s.tastenOptionen, s.zeilenende);
        });
        QObject::connect(&form, &table::TastaturForm::startRequested, &sender,
                         &table::TastaturSender::anwendungStarten);
    }
};

} // namespace

TEST_F(KeysForm, ConfirmingStartsTheProgramOncePerPath)
{
    form.Form_Activate();
    dialogs.files = QStringList{"/opt/tab/tab"};
    form.txtAnwendung_Click();
    form.txtAnwendung_Click(); // cancelled: the path stays
    EXPECT_EQ(f.text(N::txtAnwendung), "/opt/tab/tab");
    f.setChecked(N::chkTastatur, true);
    f.setChecked(N::chkDatum, true);
    f.setChecked(N::chkMaterial, true);
    f.setChecked(N::optKeins, false);
    f.setChecked(N::optEnter, true);
    int closed = 0;
    QObject::connect(&form, &table::TastaturForm::closeRequested, [&] { ++closed; });
    form.cmdOk_Click();
    form.Form_Activate();
    form.cmdOk_Click();
    EXPECT_EQ(saved, QStringList({"1;/opt/tab/tab;0101;ENTER", "1;/opt/tab/tab;0101;ENTER"}));
    EXPECT_EQ(keys.calls, QStringList{"start /opt/tab/tab"});
    EXPECT_EQ(s.anwendungTask, 4711);
    EXPECT_EQ(closed, 2);

    // A new path is started on confirmation; a path that cannot be started is named and stays set.
    keys.nextPid = 0;
    f.setText(N::txtAnwendung, "/opt/calc");
    form.cmdOk_Click();
    EXPECT_EQ(keys.calls.last(), "start /opt/calc");
    EXPECT_TRUE(s.tastaturAktiv);
    EXPECT_FALSE(s.anwendungGestartet);
    EXPECT_EQ(dialogs.texts(), QStringList{"Die Anwendung /opt/calc kann nicht gestartet werden: file not found"});
}

TEST_F(KeysForm, EmptyPathSwitchesForwardingOff)
{
    s.tastaturAktiv = true;
    s.anwendung = "/opt/tab/tab";
    s.tastenOptionen = "1"; // short flags from a hand-edited file
    s.zeilenende = "CRLF";  // neither button selected: the setting stays as it was
    form.Form_Activate();
    f.setText(N::txtAnwendung, QString());
    form.cmdOk_Click();
    EXPECT_FALSE(f.isChecked(N::chkTastatur));
    EXPECT_EQ(saved, QStringList{"0;;1000;CRLF"});
    EXPECT_TRUE(keys.calls.isEmpty());

    // Forwarding off: online rows are not typed at all.
    EXPECT_TRUE(sender.zeileSenden({1, "05.12.2026", "       98.0", "µm  ", " Fe"}) && keys.calls.isEmpty());
}

TEST_F(KeysForm, ValueArrivingWhileWaitingIsTypedAfterTheRowBeforeIt)
{
    s.tastaturAktiv = true;
    s.anwendungTask = 4711;
    s.tastenOptionen = "1000";
    s.zeilenende = "ENTER";
    keys.whileActivating = [this] { EXPECT_TRUE(sender.zeileSenden({2, "05.12.2026", "       99.0", "µm  ", " Fe"})); };
    EXPECT_TRUE(sender.zeileSenden({1, "05.12.2026", "       98.0", "µm  ", " Fe"}));
    EXPECT_EQ(keys.calls, QStringList({"activate 4711", "type       1       98.0", "enter", "activate 4711",
                                       "type       2       99.0", "enter"}));
}
