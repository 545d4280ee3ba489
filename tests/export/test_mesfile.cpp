#include "ExportFixture.h"
#include "XlsxBook.h"

#include "export/MesFile.h"
#include "export/MesReader.h"
#include "table/ValueFormat.h"

#include <QFileInfo>
#include <QTime>

#include <sys/fsuid.h>
#include <unistd.h>

namespace {

struct Expected {
    QString zeit;
    int nr;
    double wert; // as shown: rounded to the unit's decimals
    QString einheit;
    QString material;
};

// View 0 holds the rows as saved.
void expectRows(const table::TableSession& t, const std::vector<Expected>& rows)
{
    ASSERT_EQ(t.Messdaten.rowCount(0), int(rows.size()));
    for (int r = 1; r <= int(rows.size()); ++r) {
        const table::MessRow& m = t.Messdaten.at(0, r);
        const Expected& e = rows[size_t(r - 1)];
        ASSERT_EQ(std::tuple(m.zeit, int(m.nr), m.wert, m.einheit, m.material),
                  std::tuple(e.zeit, e.nr, e.wert, e.einheit, e.material))
            << r;
    }
}

} // namespace

// A full table of every edition's rows, with rows that used to come back changed or cut the table short, loads back
// after a restart as it was saved (in the user's number format), and saving the loaded table gives the same file.
class RoundTripTest : public ExportFixture, public ::testing::WithParamInterface<std::pair<const char*, const char*>>
{
protected:
    RoundTripTest() : ExportFixture(GetParam().first) {}
};

TEST_P(RoundTripTest, FiveThousandRowsComeBackAfterARestart)
{
    const QString mode = QString::fromLatin1(GetParam().second);
    const bool forta = mode == QLatin1String("2"); // two-character materials straight from the record
    const QString fe = mode == QLatin1String("0") ? QString() : forta ? QStringLiteral("Fe") : QStringLiteral(" Fe");
    const QString nfe = mode == QLatin1String("0") ? QString() : QStringLiteral("NFe");
    std::vector<Expected> rows = {
        {"10:00:01", 1, 12.5, "µm  ", fe},
        {"10:00:02", 2, 13.1, "µm  ", fe},
        {"10:00:03", 3, 80.7, "µm  ", nfe},
        {"10:00:04", 0, 0.04, "µm  ", fe}, // shows 0.0 under number 0
        {"10:00:05", 5, 1.234, " mVs", fe},
        {"10:00:06", 6, 9999999999e3, "µm  ", fe}, // two decimals; the widest a record brings
        {"10:0 :07", 7, 140.0, "µm  ", fe},
        {"10:00:08", 8, -2.5, "mVs ", nfe},
        {"10:00:09", 9, 99999.999, "µm  ", fe}, // the largest value, in a unit of one decimal: shown 100000.0
    };
    // Then mixed units with values up to 99999.999 (mVs) and 99999.9 (µm), negative ones included.
    for (int i = int(rows.size()) + 1; i <= 5000; ++i) {
        const bool mvs = i % 3 == 0;
        rows.push_back({QTime(0, 0).addSecs(i).toString("hh:mm:ss"), i,
                        (mvs ? 99999.999 - i * 7.001 : 99999.9 - i * 13.3) * (i % 7 ? 1 : -1), mvs ? "mVs " : "µm  ",
                        i % 2 ? nfe : fe});
    }
    QStringList shown; // as the grid shows the values
    st->edition.materialMode = mode;
    for (Expected& e : rows) {
        add({.wert = e.wert, .nr = e.nr, .einheit = e.einheit, .material = e.material, .zeit = e.zeit});
        shown << table::WertFormatieren(e.wert, e.einheit);
        if (e.nr != 0)
            e.wert = table::shownValue(e.wert, table::decimalsForUnit(e.einheit));
    }
    save("big");
    const QByteArray first = mesFile("big.mes");
    EXPECT_FALSE(first.contains("inf"));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    restart();
    st->edition.materialMode = mode;
    st->messart = shell::Messart::Speicher1;
    open(mesFolder() + QStringLiteral("/big.mes"));
    expectRows(*table, rows);
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(table->grid().text(r, 2), shown[r - 1]) << r;
    EXPECT_DOUBLE_EQ(table->Messdaten.at(0, 5).wert, 1.23);
    EXPECT_EQ(table->Messdaten.at(0, 1).datum, QStringLiteral("01.02.2024       Nr.      Messwert"));
    EXPECT_EQ(st->main().text(Main::optFE), "big.mes (5000)");
    EXPECT_EQ(table->grid().Rows(), 5001);

    save("again");
    EXPECT_EQ(mesFile("again.mes"), first);
}

INSTANTIATE_TEST_SUITE_P(LocalesAndEditions, RoundTripTest,
                         ::testing::Values(std::pair("en_US.UTF-8", "0"), std::pair("de_DE.UTF-8", "1"),
                                           std::pair("en_US.UTF-8", "2")));

using MesFileTest = ExportFixture;

// The file of four values under the plain 80/20 rule.
const char* const kPlain8020 = R"(FE-Speicher

Statistik:

Anzahl                 4
Minimum                 9.5 µm  
Maximum                20.5 µm  
Mittelwert             14.4 µm  
Std.Abweichung          4.8 µm  
80/20 Regel ok:       Nein  25 %

Min Limit              12 µm  
Max Limit              20 µm  
Sollwert               15 µm  

01.02.2024       Nr.      Messwert

10:00:00          1         9.5 µm    Fe
10:00:00          2        12.0 µm    Fe
10:00:00          3        20.5 µm    Fe
10:00:00          4        15.5 µm    Fe

)";

TEST_F(MesFileTest, StatisticsAndColoursSurviveSaveAndLoad)
{
    // Each rule's lines go into the file and come back with the table and its colours.
    const auto pa2 = [] {
        shell::InspectionRule r;
        r.kind = shell::RuleKind::SspcPa2;
        r.spotsPerArea = 1;
        return r;
    };
    const auto iso = [] {
        shell::InspectionRule r;
        r.roughness = shell::Roughness::Fine;
        r.inspectionArea = 1;
        return r;
    };
    const auto imo = [] {
        shell::InspectionRule r;
        r.kind = shell::RuleKind::ImoPspc;
        return r;
    };
    const struct {
        const char* name;
        shell::Limits limits;
        shell::InspectionRule rule;
    } cases[] = {
        {"limits", {10, 20, 0, false, "10", "20", ""}, {}},   {"plain8020", {12, 20, 15, true, "12", "20", "15"}, {}},
        {"iso", {12, 20, 15, true, "12", "20", "15"}, iso()}, {"imo", {13.5, 20, 15, true, "13.5", "20", "15"}, imo()},
        {"pa2", {10, 20, 0, true, "10", "20", "0"}, pa2()},
    };
    for (const auto& c : cases) {
        restart();
        st->limits = c.limits;
        st->rule = c.rule;
        for (double v : {9.5, 12.0, 20.5, 15.5})
            add({.wert = v});
        const QStringList stat = st->main().items(Main::lstStat);
        std::vector<QColor> colours;
        for (int r = 1; r <= 4; ++r)
            colours.push_back(table->grid().back(r, 2));
        save(QString::fromLatin1(c.name));
        const QString file = shell::TextFile::decode(mesFile(QString::fromLatin1(c.name) + ".mes"));
        for (qsizetype i = 4; i < stat.size(); ++i)
            EXPECT_TRUE(file.contains(stat.at(i) + "\r\n")) << c.name << " " << stat.at(i).toStdString();
        if (QLatin1String(c.name) == QLatin1String("pa2")) { // the workbook's statistics block has the lines too
            const QString book = mesFolder() + QStringLiteral("/pa2.xlsx");
            ASSERT_TRUE(exp->writeWorkbook(book, false).ok);
            const QMap<QString, outputs::XlsxCell> cells = outputs::XlsxBook(book).cells(QStringLiteral("Messwerte"));
            QStringList rows;
            for (int r = 10; r <= 14; ++r)
                for (const char* col : {"A", "B", "C"})
                    rows << cells.value(QLatin1String(col) + QString::number(r)).text;
            EXPECT_EQ(rows, (QStringList{"PA 2 Regel ok:", "Ja", "Stufe 3", "Spots:", "1, offen: 1 von 3", "",
                                         "Spots außerhalb:", "0", "", "Flächen:", "1, 0 außerhalb, 1 offen", "",
                                         "Min Limit", "10", "µm  "}));
        }
        if (QLatin1String(c.name) == QLatin1String("plain8020")) { // the plain 80/20 rule writes what it always did
            EXPECT_EQ(mesFile("plain8020.mes"),
                      shell::TextFile::encode(QString::fromUtf8(kPlain8020).replace("\n", "\r\n")));
        }

        restart();
        st->limits = c.limits;
        st->rule = c.rule;
        open(mesFolder() + "/" + c.name + ".mes");
        EXPECT_EQ(st->main().items(Main::lstStat).mid(1), stat.mid(1)) << c.name;
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(table->grid().back(r, 2), colours[static_cast<size_t>(r - 1)]) << c.name << " " << r;
    }
}

TEST_F(MesFileTest, NamingRule)
{
    // Only the file's own name counts: a ".mes" in a folder name (a user "j.mesa") must not stop the extension.
    for (const auto& [name, target] : {std::pair{"a", "/x/mes/a.mes"},
                                       {"a.MES", "/x/mes/a.MES.mes"},
                                       {"a.mes.txt", "/x/mes/a.mes.txt"},
                                       {"/y/b.mes", "/y/b.mes"},
                                       {"/home/j.mesa/b", "/home/j.mesa/b.mes"},
                                       {"", ""},
                                       {" ", ""}})
        EXPECT_EQ(reports::ExportSession::targetName(name, "/x/mes"), target) << name;

    // Through the command: the mes folder is created and offered; a cancelled dialog writes nothing.
    add({.wert = 1.0});
    exp->cmdSave_Click();
    EXPECT_EQ(dialogs.lastFolder, mesFolder());
    EXPECT_TRUE(QFileInfo(mesFolder()).isDir() && QDir(mesFolder()).entryList(QDir::Files).isEmpty());
    save(mesFolder() + QStringLiteral("/Upper.MES"));
    EXPECT_EQ(QDir(mesFolder()).entryList(QDir::Files), QStringList{"Upper.MES.mes"});
}

// Loading into the online view: the next online value follows the loaded rows, no memory caption is touched.
TEST_F(MesFileTest, OnlineFileLoadsIntoTheOnlineView)
{
    add({.wert = 5.0, .view = 2});
    add({.wert = 6.0, .view = 2});
    save("online");
    table->onlineNr = 1;
    open(mesFolder() + QStringLiteral("/online.mes"));
    EXPECT_EQ(table->Messdaten.rowCount(2), 2);
    EXPECT_EQ(table->onlineNr, 3);
    EXPECT_EQ(st->main().text(Main::optFE), QString());
}

TEST_F(MesFileTest, OddFiles)
{
    st->texte.sprache = 1;
    addAll({1.0, 2.0});
    const QString dir = mesFolder();

    // Only comments and empty lines: an empty table.
    testsupport::Sandbox::writeFile(dir + QStringLiteral("/comments.mes"), "# one\r\n\r\n#\r\n# 12:00:00 1 2,0\r\n");
    open(dir + QStringLiteral("/comments.mes"));
    EXPECT_EQ(table->Messdaten.rowCount(0), 0);
    EXPECT_EQ(st->main().text(Main::optFE), "comments.mes (0)");

    // First data row empty: nothing is shown though later rows hold values; the caption counts the lines.
    testsupport::Sandbox::writeFile(dir + QStringLiteral("/first.mes"),
                                    "Name\r\n\r\n10:00:00          0        0,0 \xB5m    Fe\r\n"
                                    "10:00:01          2        5,0 \xB5m    Fe\r\n");
    open(dir + QStringLiteral("/first.mes"));
    EXPECT_EQ(table->Messdaten.rowCount(0), 0);
    EXPECT_EQ(table->Messdaten.at(0, 2).wert, 5.0);
    EXPECT_EQ(table->grid().Rows(), 1);

    // Files in the old layout from other installations: comma values of any width, point values, mVs decimals.
    testsupport::Sandbox::writeFile(dir + QStringLiteral("/old.mes"),
                                    "#  project\r\n\r\nFE-Speicher\r\n\r\nStatistik:\r\n\r\nAnzahl           3\r\n"
                                    "Min Limit             10 \xB5m  \r\n\r\n02.03.2023       Nr.      Messwert\r\n\r\n"
                                    "11:00:00          1    12345,6 \xB5m    Fe\r\n"
                                    "11:00:01          2      1,234 mVs   Fe\r\n"
                                    "11:00:02        345      -12.5 G    NFe\r\n"
                                    "# a comment between rows\r\n"
                                    "11:00:03      99999        7,0 \xB5m    Fe\r\n");
    open(dir + QStringLiteral("/old.mes"));
    // A number beyond the 16-bit column is refused, not taken as 0, and the user is told which line it was.
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].endsWith(QStringLiteral("old.mes: 1 lines without a valid value or with a number "
                                                           "beyond its column not taken (line 16)")))
        << dialogs.texts()[0].toStdString();
    dialogs.shown.clear();
    ASSERT_EQ(table->Messdaten.rowCount(0), 3);
    EXPECT_DOUBLE_EQ(table->Messdaten.at(0, 1).wert, 12345.6);
    EXPECT_DOUBLE_EQ(table->Messdaten.at(0, 2).wert, 1.234);
    EXPECT_DOUBLE_EQ(table->Messdaten.at(0, 3).wert, -12.5);
    EXPECT_EQ(table->Messdaten.at(0, 3).nr, 345);
    EXPECT_EQ(table->Messdaten.at(0, 3).material, "NFe"); // three characters from the record
    EXPECT_EQ(table->Messdaten.at(0, 4).nr, 0);           // beyond 16 bits: left cleared

    // A file that cannot be read leaves the table as it was and says so.
    add({.wert = 3.0});
    const int before = table->Messdaten.rowCount(0);
    open(dir + QStringLiteral("/missing.mes"));
    EXPECT_EQ(table->Messdaten.rowCount(0), before);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The file ") && dialogs.shown[0].text.contains("missing.mes"));
}

TEST_F(MesFileTest, FailedSavesAreReportedAndKeepTheOldFile)
{
    add({.wert = 1.0});
    const QString dir = mesFolder();
    QDir().mkpath(dir);

    // A target that is a folder.
    QDir().mkpath(dir + QStringLiteral("/folder.mes"));
    save(dir + QStringLiteral("/folder.mes"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Die Datei ") + dir + QStringLiteral("/folder.mes")));
    EXPECT_TRUE(dialogs.shown[0].text.contains("Ordner")) << dialogs.shown[0].text.toStdString();
    EXPECT_EQ(dialogs.shown[0].buttons, shell::Dialogs::Buttons::Ok);
    EXPECT_TRUE(log().contains(dialogs.shown[0].text) && QFileInfo(dir + QStringLiteral("/folder.mes")).isDir());

    // A folder that cannot exist: its parent is a file. English this time.
    st->texte.sprache = 1;
    testsupport::Sandbox::writeFile(dir + QStringLiteral("/plain"), "x");
    save(dir + QStringLiteral("/plain/sub.mes"));
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(
        dialogs.shown[1].text.startsWith(QStringLiteral("The file ") + dir + QStringLiteral("/plain/sub.mes")) &&
        log().contains(dialogs.shown[1].text));

    // A full disk: the new text does not fit, the previous file stays whole.
    save("keep");
    const QString keep = dir + QStringLiteral("/keep.mes");
    const QByteArray old = testsupport::Sandbox::readFile(keep);
    ASSERT_FALSE(old.isEmpty());
    for (int i = 0; i < 200; ++i)
        add({.wert = 2.0 + i});
    testsupport::Sandbox::withFileSizeLimit(old.size() + 2048, [&] { save(keep); });
    ASSERT_EQ(dialogs.shown.size(), 3) << old.size() << " " << testsupport::Sandbox::readFile(keep).size();
    EXPECT_TRUE(dialogs.shown[2].text.startsWith(QStringLiteral("The file ") + keep));
    EXPECT_TRUE(dialogs.shown[2].text.contains("too large")) << dialogs.shown[2].text.toStdString();
    EXPECT_EQ(testsupport::Sandbox::readFile(keep), old);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 2); // keep.mes and plain: no leftovers
}

TEST_F(MesFileTest, ExistingFileInAFolderWithoutCreateRightsIsWrittenInPlace)
{
    const QString dir = mesFolder() + QStringLiteral("/locked");
    const QString path = dir + QStringLiteral("/old.mes");
    testsupport::Sandbox::writeFile(path, "old\r\n");
    const auto all = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto enter = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    for (QString d = dir; d.size() >= sb.root().size(); d = QFileInfo(d).path())
        QFile::setPermissions(d, all | enter | QFileDevice::WriteOwner);
    QFile::setPermissions(dir, all | enter);
    QFile::setPermissions(path, all | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);

    // Root may create files anywhere: this thread's file checks are made as an ordinary user instead.
    const bool root = ::geteuid() == 0;
    if (root) {
        ::setfsgid(65534);
        ::setfsuid(65534);
    }
    const reports::MesFile::Result existing = reports::MesFile::write(path, "new\r\n");
    const reports::MesFile::Result created = reports::MesFile::write(dir + QStringLiteral("/new.mes"), "x");
    if (root) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
    QFile::setPermissions(dir, all | enter | QFileDevice::WriteOwner);
    EXPECT_FALSE(created.ok); // the folder really refuses new files
    EXPECT_TRUE(existing.ok) << existing.error.toStdString();
    EXPECT_EQ(testsupport::Sandbox::readFile(path), QByteArray("new\r\n"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"old.mes"});
}

TEST_F(MesFileTest, FailingOnlineRewriteIsReportedOnceUntilItWorksAgain)
{
    add({.wert = 1.0, .view = 2});
    const QString online = st->edition.MessDataPath + QStringLiteral("/Online.mes");
    const auto saveOnline = [&] {
        st->onlineFileSaved = false; // the next save goes silently to Online.mes
        exp->cmdSave_Click();
    };
    QDir().mkpath(online); // a folder in the way
    for (int i = 0; i < 3; ++i)
        saveOnline();
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(log().count("Online.mes"), 1);
    QDir(online).removeRecursively();
    saveOnline();
    EXPECT_TRUE(QFileInfo(online).isFile());
    QFile::remove(online);
    QDir().mkpath(online);
    saveOnline();
    EXPECT_EQ(dialogs.shown.size(), 2);
}
