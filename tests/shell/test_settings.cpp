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

#include <functional>

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

// Each file's lines as read: what they set, and the message of a line that cannot be read, in the program's
// language (lower-case messages are English). Every line of a file applies in turn; a failing one keeps what came
// before it, and a bad switch fails after the numbers.
TEST_F(SettingsTest, EachFileAsRead)
{
    using S = shell::AppState;
    const auto port = [](S& s) { return s.link.portNumber + "|" + s.main().text(Main::ComboPort); };
    const auto limits = [](S& s) {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(s.limits.Emin)
            .arg(s.limits.Emax)
            .arg(s.limits.Esoll)
            .arg(s.limits.E8020)
            .arg(s.limits.EsollStr);
    };
    const auto language = [](S& s) { return QString::number(s.sprache()); };
    const auto keys = [](S& s) {
        return QStringList{QString::number(s.keys.tastaturAktiv), s.keys.anwendung, s.keys.tastenOptionen,
                           s.keys.zeilenende}
            .join('|');
    };
    const auto project = [](S& s) {
        QStringList out;
        for (const QString& name :
             {Projekt::txtFelder(1), Projekt::txtFelder(2), Projekt::txtFelder(3), Projekt::DTPDate, Projekt::DTPTime})
            out << s.forms[Projekt::form].text(name);
        return out.join('|');
    };
    const struct {
        const char *action, *file, *bytes;
        std::function<QString(S&)> got;
        const char *expected, *message;
    } cases[] = {
        {"CL", "Port.ini", "  12 \r\n", port, "12|COM12", ""},
        {"CL", "Port.ini", "COM3\r\n", port, "0|COMCOM3", ""},
        {"CL", "Port.ini", "\r\n", [](S& s) { return s.main().text(Main::txtWait); }, "Bitte COM-Port auswählern", ""},
        {"LL", "Limit.ini", "10;20;15;\r\n", limits, "10 20 15 0 15", ""},
        {"LL", "Limit.ini", "10;20;15;1;\r\n", limits, "10 20 15 1 15", ""},
        {"LL", "Limit.ini", "1;2;3;0;\r\n;20;15;\r\n", limits, "1 2 3 0 3", "problems reading file  Limit.ini: "},
        {"LL", "Limit.ini", "4;5;6;vielleicht;\r\n", limits, "4 5 6 0 6", "Probleme beim Lesen Datei Limit.ini: "},
        {"SL", "Language.ini", "-3\r\n", language, "0", ""},
        {"SL", "Language.ini", "english\r\n", language, "0", "Probleme beim Lesen Datei & Language.ini: "},
        {"TL", "Tastatur.ini", "1;/usr/bin/xterm;1010;ENTER\r\n", keys, "1|/usr/bin/xterm|1010|ENTER", ""},
        {"TL", "Tastatur.ini", "1;no more fields\r\n", keys, "1|/usr/bin/xterm|1010|ENTER",
         "Probleme beim Lesen Datei Tastatur.ini: "},
        // An empty field leaves the shown text alone; a field text beginning with "DT" is also read as the date.
        {"PL", "Projektdaten.ini", "M\xFCller\r\n\r\nx\r\n\r\n\r\n\r\nDT 03.04.2026;09:45\r\n", project,
         "Müller|kept|x|03.04.2026|09:45", ""},
        {"PL", "Projektdaten.ini", "a\r\nb\r\nDT 24.12.2025;18:30\r\n", project,
         "a|b|DT 24.12.2025;18:30|24.12.2025|18:30", ""},
    };
    st.forms[Projekt::form].setText(Projekt::txtFelder(2), "kept");
    for (const auto& c : cases) {
        dlg.shown.clear();
        st.texte.sprache = QChar(c.message[0]).isLower();
        run(c.action, c.file, c.bytes);
        EXPECT_EQ(c.got(st), QString::fromUtf8(c.expected)) << c.bytes;
        EXPECT_TRUE(*c.message ? dlg.shown.size() == 1 && dlg.texts()[0].startsWith(c.message) : dlg.shown.isEmpty())
            << c.bytes << " " << dlg.texts().join('|').toStdString();
    }
}

// Missing files are made with their defaults; each file as written. (Limit.ini: GermanSettingsTest.)
TEST_F(SettingsTest, EachFileAsWritten)
{
    run("CL");
    run("SL");
    run("TL");
    EXPECT_EQ(std::tuple(QFileInfo::exists(file("Port.ini")), Sandbox::readFile(file("Language.ini")), st.sprache(),
                         st.keys.tastenOptionen),
              std::tuple(true, QByteArray("0\r\n"), 0, QString("0000")));
    st.link.portNumber = " 7 ";
    st.texte.sprache = 1;
    st.keys = {.tastaturAktiv = true, .anwendung = "/usr/bin/xterm", .tastenOptionen = "1010", .zeilenende = "ENTER"};
    for (const char* action : {"CS", "SS", "TS"})
        run(action);
    EXPECT_EQ(std::tuple(Sandbox::readFile(file("Port.ini")), Sandbox::readFile(file("Language.ini")),
                         Sandbox::readFile(file("Tastatur.ini"))),
              std::tuple(QByteArray("7\r\n"), QByteArray("1\r\n"), QByteArray("1;/usr/bin/xterm;1010;ENTER\r\n")));
    EXPECT_TRUE(dlg.shown.isEmpty());
    // A folder in the way: the English message.
    QFile::remove(file("Tastatur.ini"));
    QDir().mkpath(file("Tastatur.ini"));
    run("TS");
    EXPECT_TRUE(dlg.texts().value(0).startsWith("problems writing file Tastatur.ini: "));
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldFileWhole)
{
    write("Limit.ini", "1;2;3;0;\r\n");
    st.limits.Emin = 1.23456789012345e200;
    st.limits.Emax = 2.23456789012345e200;
    st.limits.Esoll = 1.73456789012345e200;
    // The new line (70 bytes) is longer than the file-size limit; the log line (43 bytes) fits.
    Sandbox::withFileSizeLimit(50, [this] { run("LS"); });

    EXPECT_EQ(Sandbox::readFile(file("Limit.ini")), QByteArray("1;2;3;0;\r\n"));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(dlg.shown[0].text.startsWith("Probleme beim Schreiben Datei Limit.ini: File too large"))
        << dlg.shown[0].text.toStdString();
    EXPECT_EQ(logBytes(), QByteArray("Probleme beim Schreiben Datei Limit.ini: \r\n"));
    EXPECT_EQ(QDir(st.edition.AppDataPath).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Limit.ini", QFileInfo(st.log.path()).fileName()}));
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
