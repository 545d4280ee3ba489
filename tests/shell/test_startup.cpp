#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "shell/TransferShell.h"

#include <QDir>
#include <QLockFile>
#include <gtest/gtest.h>

using testsupport::Sandbox;

namespace {

struct Started {
    explicit Started(const QString& konfi, const QByteArray& locale = "en_US.UTF-8") : sb(locale)
    {
        sb.writeKonfi(konfi);
        st.appPath = sb.appDir();
        st.dialogs = &dlg;
        shell.hooks().quit = [this] { quitCalls++; };
        shell.hooks().closePort = [this] { closeCalls++; };
    }
    bool start() { return shell.startup(); }
    QStringList logLines() const
    {
        return QString::fromLatin1(Sandbox::readFile(st.log.path())).split("\r\n", Qt::SkipEmptyParts);
    }
    QString appData(const QString& last) const { return sb.config() + "/Varnotek/" + last; }

    Sandbox sb;
    testsupport::ScriptedDialogs dlg;
    shell::AppState st;
    shell::TransferShell shell{st};
    int quitCalls = 0;
    int closeCalls = 0;
};

} // namespace

TEST(Startup, RondoEditionTitleFoldersCapabilitiesAndLog)
{
    Started s("RD\n#\n");
    ASSERT_TRUE(s.start());
    EXPECT_EQ(s.st.programTitle, "RONDO TRANSFER V3.1");
    EXPECT_EQ(s.st.main().caption(), "RONDO TRANSFER V3.1");
    EXPECT_EQ(s.dlg.applicationTitle, "RONDO TRANSFER");
    EXPECT_EQ(s.st.texte.msgIn(14, 1), "RONDO TRANSFER V3.1");
    EXPECT_EQ(s.st.memoryMode, "2 ");
    EXPECT_EQ(s.st.interfaceKind, "B");
    EXPECT_EQ(s.st.deviceLine, "E");
    EXPECT_EQ(s.st.materialMode, "1");
    EXPECT_EQ(s.st.signMode, "+");
    EXPECT_EQ(s.st.AppDataPath, s.appData("RONDO TRANSFER"));
    EXPECT_EQ(s.st.MessDataPath, s.sb.data() + "/Varnotek/RONDO TRANSFER");
    EXPECT_TRUE(QDir(s.st.AppDataPath).exists());
    EXPECT_TRUE(QDir(s.st.MessDataPath).exists());
    EXPECT_TRUE(s.dlg.shown.isEmpty());

    const QStringList log = s.logLines();
    ASSERT_EQ(log.size(), 4);
    EXPECT_TRUE(log[0].startsWith("Logdatei "));
    EXPECT_EQ(log[1], "App.Path = " + s.sb.appDir());
    EXPECT_EQ(log[2], "AppDataPath = " + s.st.AppDataPath);
    EXPECT_EQ(log[3], "MessDataPath = " + s.st.MessDataPath);

    // Idle state: commands disabled, read buttons hidden, German checked.
    for (const QString& name : shell::TransferShell::commandControls())
        EXPECT_FALSE(s.st.main().isEnabled(name)) << name.toStdString();
    EXPECT_FALSE(s.st.main().isVisible("cmdLesen"));
    EXPECT_FALSE(s.st.main().isVisible("lstStat"));
    EXPECT_TRUE(s.st.main().isVisible("ComboPort"));
    EXPECT_TRUE(s.st.main().isChecked("German"));
    EXPECT_FALSE(s.st.main().isChecked("English"));
    EXPECT_EQ(s.st.main().text("txtWait"), "Bitte warten....");
    EXPECT_TRUE(s.st.main().isVisible("mnuTastaturevent"));
    EXPECT_FALSE(s.st.forms["frmWait"].isVisible("frmWait"));
    EXPECT_EQ(s.st.forms["frmWait"].prop("WaitBar", "value").toInt(), 200);
}

TEST(Startup, EditionCodesExactAndByPrefix)
{
    Started vx1x("VX1X\n");
    ASSERT_TRUE(vx1x.start());
    EXPECT_TRUE(vx1x.st.pgmname.isEmpty());
    EXPECT_EQ(vx1x.st.main().caption(), " V3.1");
    EXPECT_EQ(vx1x.st.memoryMode, "1 ");
    EXPECT_EQ(vx1x.st.interfaceKind, "B");
    EXPECT_FALSE(vx1x.st.main().isVisible("mnuTastaturevent"));
    EXPECT_FALSE(vx1x.st.forms["frmWerte"].isVisible("chk8020"));
}

TEST(Startup, LargeDisplayPrefixAndPartnerBranding)
{
    Started vx5("VX5A\n");
    ASSERT_TRUE(vx5.start());
    EXPECT_EQ(vx5.st.pgmname, "VX-500 TRANSFER");
    EXPECT_TRUE(vx5.st.main().prop("txtSpeicher", "large").toBool());
    EXPECT_EQ(vx5.st.interfaceKind, "K");
}

TEST(Startup, PartnerBrandingNamesTitleAndFolders)
{
    Started br("RD\n#\nBR;Selmar;BREVO Line Tool TRANSFER;\n");
    ASSERT_TRUE(br.start());
    EXPECT_EQ(br.st.pgmname, "BREVO Line Tool TRANSFER");
    EXPECT_EQ(br.st.main().caption(), "BREVO Line Tool TRANSFER V3.1");
    EXPECT_EQ(br.dlg.applicationTitle, "BREVO Line Tool TRANSFER");
    EXPECT_EQ(br.st.AppDataPath, br.sb.config() + "/Selmar/BREVO Line Tool TRANSFER");
    EXPECT_EQ(br.st.main().text("Frame5"), "Selmar");
    EXPECT_TRUE(br.st.windowIconPath.endsWith("/Selmar.ico"));

    Started plain("RD\n#\n;Someone;Ignored;\n");
    ASSERT_TRUE(plain.start());
    EXPECT_EQ(plain.st.companyName, "Varnotek");
    EXPECT_EQ(plain.st.AppDataPath, plain.appData("RONDO TRANSFER"));
}

TEST(Startup, FailuresGoOnAndAreLogged)
{
    // Port.ini that cannot be read: a fifth log line.
    Started s("RD\n");
    QDir().mkpath(s.appData("RONDO TRANSFER/Port.ini/x"));
    ASSERT_TRUE(s.start());
    const QStringList log = s.logLines();
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[4], "Probleme beim Lesen Datei Port.ini: ");
    EXPECT_TRUE(s.st.main().isVisible("cmdConnect"));

    // Missing Konfi.ini: German message, unknown edition, start-up completes.
    Started none("RD\n");
    QFile::remove(none.sb.appDir() + "/Konfi.ini");
    ASSERT_TRUE(none.start());
    ASSERT_EQ(none.dlg.shown.size(), 1);
    EXPECT_TRUE(none.dlg.shown[0].text.startsWith("Probleme beim Lesen Datei Konfi.ini: "));
    EXPECT_EQ(none.st.main().caption(), " V3.1");
}

TEST(Startup, LanguageFileAboveOneGivesEnglish)
{
    Started s("FT\n");
    Sandbox::writeFile(s.appData("FORTA TRANSFER/Language.ini"), "5\r\n");
    ASSERT_TRUE(s.start());
    EXPECT_EQ(s.st.sprache(), 1);
    EXPECT_TRUE(s.st.main().isChecked("English"));
    EXPECT_EQ(s.st.main().text("cmdOpen"), "Open Data File");
    EXPECT_EQ(s.st.main().text("txtWait"), "Please wait....");
}

TEST(Startup, SecondInstanceEndsBeforeTouchingTheLog)
{
    Started first("RD\n");
    ASSERT_TRUE(first.start());
    Sandbox::writeFile(first.st.log.path(), "kept\r\n");

    shell::AppState st2;
    st2.appPath = first.sb.appDir();
    int quits = 0;
    shell::TransferShell second(st2);
    second.hooks().quit = [&] { quits++; };
    EXPECT_FALSE(second.startup());
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(Sandbox::readFile(first.st.log.path()), QByteArray("kept\r\n"));
    EXPECT_TRUE(st2.AppDataPath.isEmpty());
}

TEST(Startup, LanguageSwitchCaptionsFileAndChecks)
{
    Started s("RD\n");
    ASSERT_TRUE(s.start());
    int tableLayouts = 0;
    s.shell.hooks().TabelleFormatieren = [&] { tableLayouts++; };
    s.shell.English_Click();
    EXPECT_EQ(s.st.main().text("cmdFlexZeileLoeschen"), "Delete row");
    EXPECT_EQ(s.st.main().text("mnuDatei"), "File");
    EXPECT_EQ(s.st.main().text("txtWait"), "Please wait....");
    EXPECT_EQ(s.st.main().text("txtSpeicher"), "READY");
    EXPECT_TRUE(s.st.main().isChecked("English"));
    EXPECT_FALSE(s.st.main().isChecked("German"));
    EXPECT_EQ(Sandbox::readFile(s.st.AppDataPath + "/Language.ini"), QByteArray("1\r\n"));
    EXPECT_EQ(tableLayouts, 1);

    s.st.CheckConnect = true;
    s.shell.German_Click();
    EXPECT_EQ(s.st.main().text("txtWait"), "Verbunden");
    EXPECT_EQ(s.st.main().text("cmdFlexZeileLoeschen"), "Zeile löschen");
    EXPECT_EQ(s.st.main().text("Frame4"), "Daten kopieren nach");
    EXPECT_EQ(s.st.texte.msgIn(53, 0), "Maximale Werteanzahl überschritten");
    EXPECT_EQ(s.st.texte.msgIn(35, 0), "Minimum größer als Maximum!");
}

TEST(Startup, ManualPathRules)
{
    Started s("VX5\n");
    ASSERT_TRUE(s.start());
    QStringList opened;
    s.shell.hooks().openDocument = [&](const QString& p) {
        opened << p;
        return true;
    };
    s.st.texte.sprache = 1;
    s.shell.mnuHelp1_Click();
    ASSERT_EQ(s.dlg.shown.size(), 1);
    EXPECT_EQ(s.dlg.shown[0].text, "File " + s.st.AppDataPath + "/EN_Manual_VX-500_TRANSFER.pdf not found ");

    // An existing manual is opened; partner branding with an FE instrument picks the partner manual.
    s.st.variantCode = "BR";
    s.st.geraet = "FEB";
    s.st.texte.sprache = 0;
    const QString partner = s.st.AppDataPath + "/DE_Manual_BREVO_Line_Tool_TRANSFER.pdf";
    Sandbox::writeFile(partner, "%PDF-1.4\n");
    s.shell.mnuHelp1_Click();
    EXPECT_EQ(opened, QStringList{partner});
    EXPECT_EQ(s.dlg.shown.size(), 1);

    // No rule matches: the last chosen manual stays chosen.
    s.st.geraet = "ZZ";
    s.shell.mnuHelp1_Click();
    EXPECT_EQ(opened.size(), 2);

    Started unknown("XX\n");
    ASSERT_TRUE(unknown.start());
    unknown.shell.mnuHelp1_Click();
    ASSERT_EQ(unknown.dlg.shown.size(), 1);
    EXPECT_EQ(unknown.dlg.shown[0].text, "Datei  wurde nicht gefunden");
}

TEST(Startup, InfoBoxAndExitWhileCommandsDisabled)
{
    Started s("RD\n");
    ASSERT_TRUE(s.start());
    int infoWindows = 0;
    s.shell.hooks().showInfoWindow = [&] { infoWindows++; };
    s.shell.mnuInfo_Click();
    ASSERT_EQ(s.dlg.shown.size(), 1);
    EXPECT_EQ(s.dlg.shown[0].text, "RONDO TRANSFER V3.1");
    EXPECT_EQ(s.dlg.shown[0].title, "Version");
    EXPECT_EQ(s.dlg.shown[0].icon, shell::Dialogs::Icon::Information);
    s.st.geraetesoftware = "1.07";
    s.shell.mnuInfo_Click();
    EXPECT_EQ(infoWindows, 1);

    EXPECT_FALSE(s.st.main().isEnabled("cmdEnde"));
    s.shell.mnuEnd_Click();
    EXPECT_EQ(s.closeCalls, 1);
    EXPECT_EQ(s.quitCalls, 1);
}
