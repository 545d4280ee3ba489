#include "Program.h"
#include "shell/Commands.h"
#include "shell/Controls.h"
#include "shell/SystemDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

namespace Main = ctl::frmTransfer;
namespace Wait = ctl::frmWait;
namespace Werte = ctl::frmWerte;

using testsupport::Sandbox;

TEST(Startup, RondoEditionTitleFoldersCapabilitiesAndLog)
{
    Program s("RD\n#\n");
    ASSERT_TRUE(s.shell->startup());
    EXPECT_EQ(QStringList({s.st.main().caption(), s.dialogs.applicationTitle, s.st.device.memoryMode,
                           s.st.edition.interfaceKind, s.st.edition.AppDataPath, s.st.edition.MessDataPath}),
              QStringList({"RONDO TRANSFER V3.1", "RONDO TRANSFER", "2 ", "B", s.appData("RONDO TRANSFER"),
                           s.sandbox.data() + "/Varnotek/RONDO TRANSFER"}));
    EXPECT_TRUE(QDir(s.st.edition.MessDataPath).exists() && s.dialogs.shown.isEmpty());
    EXPECT_EQ(s.logLines().mid(1),
              (QStringList{"App.Path = " + s.sandbox.appDir(), "AppDataPath = " + s.st.edition.AppDataPath,
                           "MessDataPath = " + s.st.edition.MessDataPath}));
    EXPECT_TRUE(s.logLines()[0].startsWith("Logdatei "));

    // Idle state: without a gauge only a file can be opened and the program ended; read buttons hidden, the views
    // named, German checked.
    for (const QString& name : shell::Commands::controls())
        EXPECT_EQ(s.st.main().isEnabled(name), name == Main::cmdOpen || name == Main::cmdEnde) << name.toStdString();
    EXPECT_EQ(s.st.main().text(Main::optNFE), "NFE-Speicher (0)");
    EXPECT_FALSE(s.st.main().isVisible(Main::cmdLesen) || s.st.main().isVisible(Main::lstStat));
    EXPECT_TRUE(s.st.main().isVisible(Main::mnuTastaturevent));
    EXPECT_FALSE(s.st.forms[Wait::form].isVisible(Wait::form));
    EXPECT_EQ(s.st.forms[Wait::form].control(Wait::WaitBar).value, 200);

    // Info: without the gauge's firmware the version in a box, with it the info window.
    int infoWindows = 0;
    QObject::connect(s.shell, &shell::TransferShell::infoWindowRequested, [&] { infoWindows++; });
    s.shell->mnuInfo_Click();
    s.st.device.geraetesoftware = "1.07";
    s.shell->mnuInfo_Click();
    ASSERT_EQ(s.dialogs.shown.size(), 1);
    EXPECT_EQ(std::pair(s.dialogs.shown[0].text, s.dialogs.shown[0].title),
              std::pair(QString("RONDO TRANSFER V3.1"), QString("Version")));
    EXPECT_EQ(infoWindows, 1);
    // A language switch renews the status texts: READY, then connected in German.
    s.shell->English_Click();
    EXPECT_EQ(s.st.main().text(Main::txtSpeicher), "READY");
    s.st.link.CheckConnect = true;
    s.shell->German_Click();
    EXPECT_EQ(s.st.main().text(Main::txtWait), "Verbunden");
}

// Edition codes ("VX1" exactly, "VX5" as a prefix), partner branding lines and the language file.
TEST(Startup, EditionsBrandingAndLanguage)
{
    const struct {
        const char* konfi;
        const char* language;
        const char* caption;
        const char* appData; // below the config folder
        const char* frame5;
    } cases[] = {
        {"VX1X\n", "", " V3.1", "/Varnotek/", "Varnotek GmbH"},
        {"VX5A\n", "", "VX-500 TRANSFER V3.1", "/Varnotek/VX-500 TRANSFER", "Varnotek GmbH"},
        {"RD\n#\nBR;Selmar;BREVO Line Tool TRANSFER;\n", "", "BREVO Line Tool TRANSFER V3.1",
         "/Selmar/BREVO Line Tool TRANSFER", "Selmar"},
        {"RD\n#\n;Someone;Ignored;\n", "", "RONDO TRANSFER V3.1", "/Varnotek/RONDO TRANSFER", "Varnotek GmbH"},
        {"FT\n", "5\r\n", "FORTA TRANSFER V3.1", "/Varnotek/FORTA TRANSFER", "Varnotek GmbH"},
    };
    for (const auto& c : cases) {
        Program s(c.konfi);
        if (*c.language)
            Sandbox::writeFile(s.sandbox.config() + c.appData + "/Language.ini", c.language);
        ASSERT_TRUE(s.shell->startup()) << c.konfi;
        EXPECT_EQ(s.st.main().caption(), c.caption) << c.konfi;
        EXPECT_EQ(s.st.edition.AppDataPath, s.sandbox.config() + c.appData) << c.konfi;
        EXPECT_EQ(s.st.main().text(Main::Frame5), c.frame5) << c.konfi;
        EXPECT_EQ(s.st.main().text(Main::cmdOpen), *c.language ? "Open Data File" : "Datei öffnen") << c.konfi;
    }
    Program vx1x("VX1X\n");
    ASSERT_TRUE(vx1x.shell->startup());
    EXPECT_EQ(vx1x.st.device.memoryMode, "1 ");
    EXPECT_FALSE(vx1x.st.main().isVisible(Main::mnuTastaturevent) ||
                 vx1x.st.forms[Werte::form].isVisible(Werte::chk8020));
    Program vx5("VX5A\n");
    ASSERT_TRUE(vx5.shell->startup());
    EXPECT_TRUE(vx5.st.main().control(Main::txtSpeicher).large);
    EXPECT_EQ(vx5.st.edition.interfaceKind, "K");

    // Names that are no single folder names are not taken: the settings stay below the data folders.
    Program outside("RD\n#\nBR;..;../../x;\n");
    ASSERT_TRUE(outside.shell->startup());
    EXPECT_EQ(outside.st.edition.AppDataPath, outside.appData("RONDO TRANSFER"));
    ASSERT_EQ(outside.dialogs.shown.size(), 2);
    EXPECT_EQ(outside.dialogs.shown[1].text,
              "Konfi.ini: \"../../x\" ist kein einzelner Ordnername; es gilt \"RONDO TRANSFER\".");
}

TEST(Startup, FailuresGoOnAndAreLogged)
{
    // Port.ini that cannot be read, a data folder that cannot be made: a line each, start-up completes.
    Program s("RD\n");
    QDir().mkpath(s.appData("RONDO TRANSFER/Port.ini/x"));
    Sandbox::writeFile(s.sandbox.data() + "/Varnotek", "a file where the folder belongs");
    ASSERT_TRUE(s.shell->startup());
    EXPECT_EQ(s.logLines().mid(4),
              (QStringList{"Einrichten: " + s.st.edition.MessDataPath + ": the folder cannot be created",
                           "Probleme beim Lesen Datei Port.ini: "}));
    EXPECT_TRUE(s.st.main().isVisible(Main::cmdConnect));

    // Missing Konfi.ini: German message, unknown edition, start-up completes.
    Program none("RD\n");
    QFile::remove(none.sandbox.appDir() + "/Konfi.ini");
    ASSERT_TRUE(none.shell->startup());
    ASSERT_EQ(none.dialogs.shown.size(), 1);
    EXPECT_TRUE(none.dialogs.shown[0].text.startsWith("Probleme beim Lesen Datei Konfi.ini: "));
    EXPECT_EQ(none.st.main().caption(), " V3.1");
}

TEST(Startup, SecondInstanceEndsBeforeTouchingTheLogAndSaysSo)
{
    Program first("RD\n");
    ASSERT_TRUE(first.shell->startup());
    Sandbox::writeFile(first.st.log.path(), "kept\r\n");
    shell::AppState st2;
    st2.edition.appPath = first.sandbox.appDir();
    testsupport::ScriptedDialogs dialogs2;
    st2.dialogs = &dialogs2;
    int quits = 0;
    shell::TransferShell second(st2);
    QObject::connect(&second, &shell::TransferShell::quitRequested, [&] { quits++; });
    EXPECT_FALSE(second.startup());
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(Sandbox::readFile(first.st.log.path()), QByteArray("kept\r\n"));
    EXPECT_TRUE(st2.edition.AppDataPath.isEmpty());
    // It says so, in both languages, before it ends.
    ASSERT_EQ(dialogs2.shown.size(), 1);
    EXPECT_TRUE(dialogs2.shown[0].text.contains("läuft bereits")) << dialogs2.shown[0].text.toStdString();
    EXPECT_TRUE(dialogs2.shown[0].text.contains("is already running"));
}

// A lock that names no running instance of this program is stale, whatever it holds: left by a crash or a full
// disk (no or garbage content), by a killed instance whose id went to another program, or to this very process
// where process ids start afresh (containers, sandboxes). Something that is no lock file at all is taken away.
TEST(Startup, LocksOfNoRunningInstanceAreStale)
{
    const QByteArray host =
        "\n" + QCoreApplication::applicationName().toUtf8() + "\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    for (const QByteArray& content : {QByteArray(), QByteArray("garbage\n\x01\x02"), QByteArray(1 << 20, 'x'),
                                      QByteArray::number(QCoreApplication::applicationPid()) + host,
                                      QByteArray("1") + host, QByteArray("2147483646") + host, QByteArray("fifo")}) {
        Program p("RD\n");
        const QString lock = p.sandbox.runtime() + "/VarnotekTransfer.lock";
        QDir().mkpath(p.sandbox.runtime());
        if (content == "fifo")
            ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        else
            Sandbox::writeFile(lock, content);
        EXPECT_TRUE(p.shell->startup()) << content.left(40).toStdString();
        EXPECT_TRUE(p.dialogs.shown.isEmpty()) << content.left(40).toStdString();
    }
}

TEST(Startup, ManualPathRules)
{
    Program s("VX5\n");
    ASSERT_TRUE(s.shell->startup());
    const QStringList& opened = s.desktop.opened;
    s.st.texte.sprache = 1;
    s.shell->mnuHelp1_Click();
    ASSERT_EQ(s.dialogs.shown.size(), 1);
    EXPECT_EQ(s.dialogs.shown[0].text,
              "File " + s.st.edition.AppDataPath + "/EN_Manual_VX-500_TRANSFER.pdf not found ");

    // An existing manual is opened; partner branding with an FE instrument picks the partner manual.
    s.st.edition.variantCode = "BR";
    s.st.device.geraet = "FEB";
    s.st.texte.sprache = 0;
    const QString partner = s.st.edition.AppDataPath + "/DE_Manual_BREVO_Line_Tool_TRANSFER.pdf";
    Sandbox::writeFile(partner, "%PDF-1.4\n");
    s.shell->mnuHelp1_Click();
    EXPECT_EQ(opened, QStringList{partner});
    EXPECT_EQ(s.dialogs.shown.size(), 1);

    // No rule matches: the last chosen manual stays chosen.
    s.st.device.geraet = "ZZ";
    s.shell->mnuHelp1_Click();
    EXPECT_EQ(opened.size(), 2);

    // A manual that is there but cannot be shown is not "not found": the message names the cause and the file,
    // the log the reason. No opener at all, none for PDF files (xdg-open's 3), one that failed (its 4).
    shell::SystemDesktop system;
    s.st.desktop = &system;
    system.opener = s.sandbox.root() + "/opener";
    for (const auto& [script, lang, text] :
         {std::tuple("", 0,
                     "Kein Programm zum Öffnen von PDF-Dateien gefunden. Das Handbuch kann von Hand geöffnet "
                     "werden: "),
          std::tuple("exit 3", 1, "No program to open PDF files was found. The manual can be opened by hand: "),
          std::tuple("exit 4", 1, "The PDF program could not open the manual ")}) {
        if (*script) {
            Sandbox::writeFile(system.opener, QByteArray("#!/bin/sh\n") + script);
            QFile::setPermissions(system.opener,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        s.st.texte.sprache = lang;
        s.shell->mnuHelp1_Click();
        EXPECT_EQ(s.dialogs.shown.last().text, text + partner);
        EXPECT_TRUE(s.logLines().last().startsWith("Handbuch " + partner + ": ")) << s.logLines().last().toStdString();
    }

    Program unknown("XX\n");
    ASSERT_TRUE(unknown.shell->startup());
    unknown.shell->mnuHelp1_Click();
    ASSERT_EQ(unknown.dialogs.shown.size(), 1);
    EXPECT_EQ(unknown.dialogs.shown[0].text, "Datei  wurde nicht gefunden");
}
