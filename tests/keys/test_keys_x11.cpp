// Keystrokes typed into a real program on a real X display (Xvfb, no window manager).
#include "KeySink.h"
#include "ScriptedDialogs.h"
#include "shell/KeystrokeSettings.h"
#include "shell/Texte.h"
#include "shell/TransferLog.h"
#include "table/TastaturSender.h"
#include "table/X11KeySender.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct KeysX11 : ::testing::Test {
    shell::Texte texte;
    testsupport::ScriptedDialogs dialogs;
    shell::KeystrokeSettings s;
    table::X11KeySender keys;
    QTemporaryDir logDir;
    shell::TransferLog log;
    table::TastaturSender sender{s, keys, dialogs, texte, log};
    KeySink sink;

    void SetUp() override
    {
        texte.LoadMessageTable("TEST V1");
        texte.sprache = 1;
        log.setFolder(logDir.path());
        ASSERT_TRUE(keys.hasDisplay()) << "no X display to type into: run under xvfb-run";
        s.tastaturAktiv = true;
        s.anwendung = sink.program();
        s.tastenOptionen = "0000";
        sender.anwendungStarten();
        ASSERT_TRUE(s.anwendungGestartet) << dialogs.texts().join(QLatin1Char('\n')).toStdString();
        sink.adopt(s.anwendungTask);
    }
};

table::TastaturZeile zeile(int nr, const QString& wert, const QString& material = " Fe")
{
    return {nr, "05.12.2026", wert, "µm  ", material};
}

} // namespace

TEST_F(KeysX11, RowsArriveInOrderWithTheChosenParts)
{
    // The window shows up a while after the start: the first row waits for it. (Only the value, no line end:
    // KeysX11.ClosedReceiverIsToldOnceAndLoggedForEveryValue.)
    s.tastenOptionen = "1111";
    s.zeilenende = "ENTER";
    EXPECT_TRUE(sender.zeileSenden(zeile(12, "      123.4")));
    QString expected = "     12 05.12.2026      123.4 µm    Fe\n";
    EXPECT_EQ(sink.waitFor(expected), expected);

    // Nothing in a text is a key name: "+", "^", "%", "~" and "(" arrive as themselves, "ä" and "µ" intact.
    EXPECT_TRUE(sender.zeileSenden(zeile(13, "     -0.5%~", "(Blä+^)")));
    expected += "     13 05.12.2026     -0.5%~ µm   (Blä+^)\n";
    EXPECT_EQ(sink.waitFor(expected), expected);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Told once, in a box that does not hold up the values; every value that could not be typed is in the log; the
// dialog's confirmation starts the program again.
TEST_F(KeysX11, ClosedReceiverIsToldOnceAndLoggedForEveryValue)
{
    EXPECT_TRUE(sender.zeileSenden(zeile(1, "       98.0")));
    EXPECT_EQ(sink.waitFor("       98.0"), "       98.0");
    ASSERT_TRUE(sink.end());

    EXPECT_FALSE(sender.zeileSenden(zeile(2, "       99.0")));
    texte.sprache = 0;
    EXPECT_FALSE(sender.zeileSenden(zeile(3, "      100.0")));
    const QString path = sink.program();
    EXPECT_EQ(dialogs.texts(), QStringList{"App " + path + " was terminated, please restart program!"});
    EXPECT_EQ(dialogs.notified, 1);
    QFile file(log.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString logged = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(logged.contains(" was terminated, please restart program! (2)")) << logged.toStdString();
    EXPECT_TRUE(logged.contains(" wurde beendet, bitte Pgm neu starten! (3)")) << logged.toStdString();
    EXPECT_FALSE(s.anwendungGestartet);
}

TEST(KeysNoDisplay, OneMessageWhenSwitchedOnAndNothingTyped)
{
    EXPECT_FALSE(table::X11KeySender(QByteArray()).hasDisplay());
    EXPECT_FALSE(table::X11KeySender(":4242").hasDisplay()); // no server behind it

    shell::Texte texte;
    texte.LoadMessageTable("TEST V1");
    testsupport::ScriptedDialogs dialogs;
    shell::KeystrokeSettings s;
    s.tastaturAktiv = true;
    s.anwendung = "/usr/bin/true";
    s.tastenOptionen = "1111";
    s.zeilenende = "ENTER";
    table::X11KeySender keys{QByteArray()};
    shell::TransferLog log;
    table::TastaturSender sender(s, keys, dialogs, texte, log);
    sender.anwendungStarten();
    EXPECT_FALSE(s.anwendungGestartet);
    EXPECT_TRUE(sender.zeileSenden(zeile(1, "       98.0")));
    EXPECT_FALSE(keys.typeText("x") || keys.activate(1));
    EXPECT_EQ(dialogs.texts(), QStringList{table::TastaturSender::keineAnzeigeText(0)});
}
