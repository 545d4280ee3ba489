#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "shell/AppState.h"
#include "shell/Controls.h"
#include "shell/Settings.h"
#include "shell/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace Main = ctl::frmTransfer;
namespace Projekt = ctl::frmProjekt;

using testsupport::Sandbox;

namespace {

struct SettingsTest : ::testing::Test {
    explicit SettingsTest(const QByteArray& locale = "en_US.UTF-8") : sb(locale)
    {
        st.edition.appPath = sb.appDir();
        st.edition.AppDataPath = sb.config() + "/Varnotek/RONDO TRANSFER";
        QDir().mkpath(st.edition.AppDataPath);
        st.log.setFolder(st.edition.AppDataPath);
        st.dialogs = &dlg;
        st.texte.LoadMessageTable("RONDO TRANSFER V3.1");
    }
    QString file(const QString& name) const { return st.edition.AppDataPath + "/" + name; }
    void write(const QString& name, const QByteArray& bytes) const { Sandbox::writeFile(file(name), bytes); }
    // Writes the file, if given, and runs Voreinstellungen with the action.
    void run(const char* action, const QString& name = {}, const QByteArray& bytes = {})
    {
        if (!name.isEmpty())
            write(name, bytes);
        shell::Settings::Voreinstellungen(st, action);
    }
    QByteArray logBytes() const { return Sandbox::readFile(st.log.path()); }

    Sandbox sb;
    testsupport::ScriptedDialogs dlg;
    shell::AppState st;
};

struct GermanSettingsTest : SettingsTest {
    GermanSettingsTest() : SettingsTest("de_DE.UTF-8") {}
};

} // namespace

TEST_F(SettingsTest, KonfiVariantLinesAndBrokenCommentLine)
{
    sb.writeKonfi("VX2\n#\nBR;Selmar;Partner Tool TRANSFER;\n\nXY;Other;Last wins;\n");
    run("KL");
    EXPECT_EQ(st.device.geraet, "VX2");
    EXPECT_EQ(st.edition.variantCode, "XY");
    EXPECT_EQ(st.edition.companyName, "Other");
    EXPECT_EQ(st.edition.kpgmname, "Last wins");
    EXPECT_TRUE(dlg.shown.isEmpty());

    // A "#" with text after it is a variant line; without ";" it cannot be read.
    shell::AppState fresh;
    fresh.edition.appPath = sb.appDir();
    fresh.dialogs = &dlg;
    fresh.log.setFolder(st.edition.AppDataPath);
    sb.writeKonfi("RD\n# comment\n");
    shell::Settings::Voreinstellungen(fresh, "KL");
    EXPECT_EQ(fresh.device.geraet, "RD");
    EXPECT_TRUE(fresh.edition.variantCode.isEmpty());
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Probleme beim Lesen Datei Konfi.ini: "));
    EXPECT_GT(dlg.shown[0].text.size(), QString("Probleme beim Lesen Datei Konfi.ini: ").size());
    EXPECT_EQ(logBytes(), QByteArray("Probleme beim Lesen Datei Konfi.ini: \r\n"));
}

TEST_F(SettingsTest, PortFileReadsLeadingDigitsAndCreatesMissingFile)
{
    run("CL");
    EXPECT_TRUE(QFile::exists(file("Port.ini")));
    for (const auto& [bytes, number, combo] : {std::tuple("  12 \r\n", "12", "COM12"), {"COM3\r\n", "0", "COMCOM3"}}) {
        run("CL", "Port.ini", bytes);
        EXPECT_EQ(st.link.portNumber, number);
        EXPECT_EQ(st.main().text(Main::ComboPort), combo);
    }
    run("CL", "Port.ini", "\r\n");
    EXPECT_EQ(st.main().text(Main::txtWait), "Bitte COM-Port auswählern");
    st.link.portNumber = " 7 ";
    run("CS");
    EXPECT_EQ(Sandbox::readFile(file("Port.ini")), QByteArray("7\r\n"));
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldFileWhole)
{
    write("Limit.ini", "1;2;3;0;\r\n");
    st.limits.Emin = 1.23456789012345e200;
    st.limits.Emax = 2.23456789012345e200;
    st.limits.Esoll = 1.73456789012345e200;
    // The new line (70 bytes) is longer than the file-size limit; the log line (43 bytes) fits.
    struct rlimit saved {
    };
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 50;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    run("LS");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(Sandbox::readFile(file("Limit.ini")), QByteArray("1;2;3;0;\r\n"));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Probleme beim Schreiben Datei Limit.ini: File too large"))
        << dlg.shown[0].text.toStdString();
    EXPECT_EQ(logBytes(), QByteArray("Probleme beim Schreiben Datei Limit.ini: \r\n"));
    EXPECT_EQ(QDir(st.edition.AppDataPath).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Limit.ini", QFileInfo(st.log.path()).fileName()}));
}

TEST_F(SettingsTest, LimitsWithAndWithoutSwitchAndBrokenFields)
{
    run("LL", "Limit.ini", "10;20;15;\r\n");
    EXPECT_DOUBLE_EQ(st.limits.Emax, 20);
    EXPECT_FALSE(st.limits.E8020);
    EXPECT_EQ(st.limits.EsollStr, "15");
    run("LL", "Limit.ini", "10;20;15;1;\r\n");
    EXPECT_TRUE(st.limits.E8020);

    // Every line applies in turn; a failing line keeps what came before. A bad switch fails after the numbers.
    st.texte.sprache = 1;
    run("LL", "Limit.ini", "1;2;3;0;\r\n;20;15;\r\n");
    EXPECT_DOUBLE_EQ(st.limits.Emin, 1);
    EXPECT_DOUBLE_EQ(st.limits.Emax, 2);
    EXPECT_FALSE(st.limits.E8020);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("problems reading file  Limit.ini: "));
    run("LL", "Limit.ini", "4;5;6;vielleicht;\r\n");
    EXPECT_DOUBLE_EQ(st.limits.Esoll, 6);
    EXPECT_FALSE(st.limits.E8020);
    EXPECT_EQ(dlg.shown.size(), 2);
}

TEST_F(GermanSettingsTest, NumbersUseTheDecimalCommaAndReadBack)
{
    st.limits = {10.5, 120.25, 80, true, {}, {}, {}};
    run("LS");
    EXPECT_EQ(Sandbox::readFile(file("Limit.ini")), QByteArray("10,5;120,25;80;1;\r\n"));
    st.limits = {};
    run("LL");
    EXPECT_DOUBLE_EQ(st.limits.Emin, 10.5);
    EXPECT_DOUBLE_EQ(st.limits.Emax, 120.25);
    EXPECT_TRUE(st.limits.E8020);
    EXPECT_EQ(st.limits.EminStr, "10,5");
    run("SL", "Language.ini", "1,5\r\n");
    EXPECT_EQ(st.sprache(), 1);
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(SettingsTest, LanguageFileCreatedGermanAndBadValues)
{
    run("SL");
    EXPECT_EQ(Sandbox::readFile(file("Language.ini")), QByteArray("0\r\n"));
    EXPECT_EQ(st.sprache(), 0);
    run("SL", "Language.ini", "-3\r\n");
    EXPECT_EQ(st.sprache(), 0);
    run("SL", "Language.ini", "english\r\n");
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Probleme beim Lesen Datei & Language.ini: "));
    st.texte.sprache = 1;
    run("SS");
    EXPECT_EQ(Sandbox::readFile(file("Language.ini")), QByteArray("1\r\n"));
}

TEST_F(SettingsTest, KeystrokeSettingsAndTheirOwnMessages)
{
    run("TL");
    EXPECT_EQ(st.keys.tastenOptionen, "0000");
    st.keys = {.tastaturAktiv = true, .anwendung = "/usr/bin/xterm", .tastenOptionen = "1010", .zeilenende = "ENTER"};
    run("TS");
    EXPECT_EQ(Sandbox::readFile(file("Tastatur.ini")), QByteArray("1;/usr/bin/xterm;1010;ENTER\r\n"));
    shell::AppState other;
    other.edition.AppDataPath = st.edition.AppDataPath;
    shell::Settings::Voreinstellungen(other, "TL");
    EXPECT_TRUE(other.keys.tastaturAktiv);
    EXPECT_EQ(other.keys.anwendung, "/usr/bin/xterm");
    EXPECT_EQ(other.keys.tastenOptionen, "1010");
    EXPECT_EQ(other.keys.zeilenende, "ENTER");

    run("TL", "Tastatur.ini", "1;no more fields\r\n");
    st.texte.sprache = 1;
    QFile::remove(file("Tastatur.ini"));
    QDir().mkpath(file("Tastatur.ini"));
    run("TS");
    ASSERT_EQ(dlg.shown.size(), 2);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Probleme beim Lesen Datei Tastatur.ini: ") &&
                dlg.shown[1].text.startsWith("problems writing file Tastatur.ini: "));
}

TEST_F(SettingsTest, ProjectDataReading)
{
    // An empty field leaves the shown text alone on reading.
    shell::FormState& p = st.forms[Projekt::form];
    p.setText(Projekt::txtFelder(2), "kept");
    run("PL", "Projektdaten.ini", "M\xFCller\r\n\r\nx\r\n\r\n\r\n\r\nDT 03.04.2026;09:45\r\n");
    EXPECT_EQ(p.text(Projekt::txtFelder(1)), "Müller");
    EXPECT_EQ(p.text(Projekt::txtFelder(2)), "kept");
    EXPECT_EQ(p.text(Projekt::DTPDate), "03.04.2026");
    EXPECT_EQ(p.text(Projekt::DTPTime), "09:45");

    // A field text beginning with "DT" is also read as the date line.
    run("PL", "Projektdaten.ini", "a\r\nb\r\nDT 24.12.2025;18:30\r\n");
    EXPECT_EQ(p.text(Projekt::txtFelder(3)), "DT 24.12.2025;18:30");
    EXPECT_EQ(p.text(Projekt::DTPDate), "24.12.2025");
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST(TextFileCodePage, SameBytesAsTheSystemConverterBothWays)
{
    // Every character of the basic plane, and one outside it, encodes as the system's Windows-1252 converter does.
    QString all;
    for (char32_t u = 1; u < 0x10000; ++u)
        if (!QChar::isSurrogate(u))
            all += QChar(char16_t(u));
    all += QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("x");
    QStringEncoder enc("windows-1252");
    EXPECT_EQ(shell::TextFile::encode(all), enc.encode(all));

    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    QStringDecoder dec("windows-1252");
    const QString decoded = dec.decode(bytes);
    EXPECT_EQ(shell::TextFile::decode(bytes), decoded);
    EXPECT_EQ(shell::TextFile::encode(decoded), bytes);
}
