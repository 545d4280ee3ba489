#include "Program.h"
#include "archive/Archive.h"
#include "export/ExportSession.h"
#include "link/LinkSession.h"
#include "link/MemoryReader.h"
#include "link/OnlineReceiver.h"
#include "session/ArchiveRecorder.h"
#include "shell/Controls.h"
#include "table/TableSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

#include <gtest/gtest.h>

namespace Main = ctl::frmTransfer;
using archive::Archive;
using archive::Kind;

namespace {

const QString kEot = QString(QChar(4));

QString record(int nr, double value)
{
    return QString::number(nr).rightJustified(4) + "  " + QString::number(value, 'f', 1).rightJustified(10) +
           " ym    Fe\r\n";
}

// A RONDO on a scripted line: memory 1 holds three values; online values are pushed as the gauge sends them.
struct Gauge {
    Program prog;
    explicit Gauge(int memory1 = 3) : prog("RD")
    {
        FakeLine& line = prog.line();
        line.answers["$kova00$"] = QStringLiteral("FN-B SN 1\r\nM1:%1\r\nM2:0\r\n").arg(memory1) + kEot;
        QString memory = QStringLiteral("\x02\r\n");
        for (int i = 1; i <= memory1; ++i)
            memory += record(i, 100 + i);
        line.answers["$kova10$"] = memory + kEot;
    }
    // Connects and reads memory 1 alone (an empty memory 2 would hold the read up for a second).
    void connect()
    {
        prog.session->setAfterConnect(session::TransferSession::AfterConnect::ReadMemory1);
        prog.start();
        prog.main().setText(Main::ComboPort, "COM3");
        prog.link().cmdConnect_Click();
    }
    void push(double value)
    {
        prog.line().push(record(1, value));
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    session::ArchiveRecorder& recorder() { return prog.session->archive(); }
    Archive& archive() { return recorder().archive(); }
    QString folder() const { return prog.st.edition.MessDataPath; }
};

// The readings of a series are the rows of a view, field for field.
void expectRows(Gauge& g, qint64 id, int view, const char* what)
{
    SCOPED_TRACE(what);
    const std::vector<archive::Reading> kept = g.archive().readings(id);
    const table::MessdatenStore& store = g.prog.table().Messdaten;
    ASSERT_EQ(int(kept.size()), store.rowCount(view));
    for (int r = 1; r <= store.rowCount(view); ++r) {
        const table::MessRow& m = store.at(view, r);
        EXPECT_EQ(kept[size_t(r - 1)], (archive::Reading{m.nr, m.wert, m.einheit, m.material, m.datum, m.zeit}));
    }
}

} // namespace

// A memory read, an online run (values also while a memory view is shown) and a file: each kept once, with the
// gauge and its readings; an edit is a new version beside the old one; a second run is a series of its own.
TEST(Archive, KeepsEachSeriesOnceWithItsGaugeReadingsAndVersions)
{
    Gauge g;
    g.connect();
    std::vector<archive::ListEntry> list = g.archive().list({});
    ASSERT_EQ(list.size(), 1u);
    const qint64 memory = list[0].id;
    const std::optional<archive::Series> m = g.archive().series(memory);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->kind, Kind::Memory1);
    EXPECT_EQ(m->model, g.prog.st.device.geraet);
    EXPECT_EQ(m->port, "COM3");
    EXPECT_EQ(m->count, 3);
    EXPECT_DOUBLE_EQ(m->mean, 102);
    expectRows(g, memory, 0, "memory 1");

    instrument::OnlineReceiver& online = g.prog.session->online();
    online.optOnline_Click();
    g.push(120.5);
    g.push(121.5);
    g.prog.table().optFE_Click(); // the run goes on in the background
    g.push(122.5);
    const qint64 run = g.recorder().current(2);
    ASSERT_NE(run, 0);
    expectRows(g, run, 2, "online");

    // Saved: the file is noted with the series; opened again into memory 2: a series of kind File.
    const QString saved = g.prog.exporter().mesFolder() + "/first.mes";
    ASSERT_TRUE(g.prog.exporter().saveTo(saved));
    EXPECT_EQ(g.archive().files(memory), QStringList{saved});
    g.prog.table().optNFE_Click();
    ASSERT_TRUE(g.prog.exporter().loadFrom(saved));
    const qint64 file = g.recorder().current(1);
    EXPECT_EQ(g.archive().series(file)->source, saved);
    expectRows(g, file, 1, "file");

    // A deleted row: version 2 of the memory series; version 1 keeps its three readings.
    g.prog.table().optFE_Click();
    g.prog.table().MSFlex_Click(2);
    g.prog.dialogs.answers = {shell::Dialogs::Answer::Ok};
    g.prog.table().cmdFlexZeileLoeschen_Click();
    const qint64 edited = g.recorder().current(0);
    EXPECT_EQ(g.archive().series(edited)->previous, memory);
    EXPECT_EQ(g.archive().series(edited)->version, 2);
    expectRows(g, edited, 0, "version 2");
    EXPECT_EQ(g.archive().readings(memory).size(), 3u);

    // A new run: its own series, though the view still shows the first run's rows.
    online.endByUser();
    online.optOnline_Click();
    g.push(130);
    EXPECT_NE(g.recorder().current(2), run);
    EXPECT_EQ(g.archive().readings(g.recorder().current(2)).size(), 1u);
    EXPECT_EQ(g.archive().readings(run).size(), 3u);

    list = g.archive().list({});
    QList<Kind> kinds;
    for (const archive::ListEntry& e : list)
        kinds << e.kind;
    // Newest first by start; a version keeps the start of what it was measured as.
    EXPECT_EQ(kinds, (QList<Kind>{Kind::Online, Kind::File, Kind::Online, Kind::Memory1, Kind::Memory1}));
    EXPECT_EQ(g.archive().list({"FNB", {}, {}}).size(), 4u); // the file names no gauge
    EXPECT_TRUE(g.archive().list({"nothing like it", {}, {}}).empty());

    // Opened again, version 1 fills memory 1 as it was read.
    online.endByUser();
    ASSERT_TRUE(g.recorder().openSeries(memory));
    expectRows(g, memory, 0, "reopened");
    EXPECT_EQ(g.prog.dialogs.notified, 0) << g.prog.dialogs.texts().join('\n').toStdString();
}

// The verdict kept with an online series is the chosen rule's, as the table judges it (90/10 has no minimum limit;
// a PA 2 series without a whole spot is open).
TEST(Archive, SeriesVerdictFollowsTheChosenRule)
{
    using shell::RuleKind;
    const struct {
        RuleKind rule;
        shell::Limits limits;
        std::vector<double> values;
        QString verdict;
    } cases[] = {
        {RuleKind::Iso19840, {80, 150, 100, true, {}, {}, {}}, {100, 105, 110}, "ok"},
        {RuleKind::Iso19840, {80, 150, 100, true, {}, {}, {}}, {85, 90, 100}, "fail"},
        {RuleKind::ImoPspc, {0, 0, 100, true, {}, {}, {}}, {100, 105, 110}, "ok"},
        {RuleKind::ImoPspc, {0, 0, 100, true, {}, {}, {}}, {100, 95, 110}, "fail"},
        {RuleKind::SspcPa2, {80, 150, 0, true, {}, {}, {}}, {100, 105}, ""},
        {RuleKind::SspcPa2, {80, 150, 0, true, {}, {}, {}}, {100, 105, 110}, "ok"},
        {RuleKind::Iso19840, {80, 150, 0, false, {}, {}, {}}, {100, 160}, "fail"},
    };
    for (const auto& c : cases) {
        Gauge g;
        g.connect();
        g.prog.st.limits = c.limits;
        g.prog.st.rule.kind = c.rule;
        g.prog.session->online().optOnline_Click();
        for (const double v : c.values)
            g.push(v);
        EXPECT_EQ(g.archive().series(g.recorder().current(2))->verdict, c.verdict)
            << int(c.rule) << " " << c.values.size();
    }
}

// Faults cost one message that does not wait; the read and the file go on as before, and a damaged archive is set
// aside whole before a new one begins.
TEST(Archive, DamagedLockedOrUnwritableArchiveTellsOnceAndMeasuringGoesOn)
{
    const QByteArray garbage = QByteArray("not a database at all ").repeated(300);
    struct Case {
        const char* what;
        std::function<void(const QString& file)> spoil;
        const char* told;
        bool keeps; // the read is kept (in a new archive)
    };
    std::unique_ptr<QLockFile> held;
    const Case cases[] = {
        {"damaged", [&](const QString& f) { testsupport::Sandbox::writeFile(f, garbage); }, "beiseitegelegt", true},
        {"a damaged page",
         [&](const QString& f) {
             // A sound header: the damage shows only when the archive is written.
             Archive a;
             ASSERT_TRUE(a.open(QFileInfo(f).path()).ok());
             archive::Series s;
             s.started = s.ended = QDateTime::currentDateTime();
             ASSERT_NE(a.add(s, std::vector<archive::Reading>(300, {1, 1.5, "µm", "Fe", "01.01.2025", "10:00:00"})), 0)
                 << a.lastError().toStdString();
             a.close();
             QByteArray bytes = testsupport::Sandbox::readFile(f);
             bytes.replace(4096, bytes.size() - 4096, QByteArray(bytes.size() - 4096, 'x'));
             testsupport::Sandbox::writeFile(f, bytes);
         },
         "beiseitegelegt", true},
        {"a folder in its place", [](const QString& f) { QDir().mkpath(f); }, "kann nicht geschrieben werden", false},
        {"another writer",
         [&](const QString& f) {
             QDir().mkpath(QFileInfo(f).path());
             held = std::make_unique<QLockFile>(f + ".lock");
             ASSERT_TRUE(held->tryLock(0));
         },
         "von einem anderen Programm beschrieben", false},
        {"a later schema",
         [](const QString& f) {
             Archive a;
             ASSERT_TRUE(a.open(QFileInfo(f).path()).ok());
             a.close();
             QFile::remove(f + ".lock");
             // user_version lives at byte 60 of the header.
             QByteArray bytes = testsupport::Sandbox::readFile(f);
             bytes[63] = 99;
             testsupport::Sandbox::writeFile(f, bytes);
         },
         "neueren Programmversion", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Gauge g;
        const QString file = g.prog.sandbox.data() + "/Varnotek/RONDO TRANSFER/Archiv.sqlite";
        c.spoil(file);
        const QByteArray before = testsupport::Sandbox::readFile(file);
        g.connect();
        g.prog.reader().cmdLesFE_Click();
        EXPECT_EQ(g.prog.table().Messdaten.rowCount(0), 3);
        EXPECT_TRUE(g.prog.exporter().saveTo(g.prog.exporter().mesFolder() + "/kept.mes"));
        ASSERT_EQ(g.prog.dialogs.notified, 1) << g.prog.dialogs.texts().join('\n').toStdString();
        EXPECT_TRUE(g.prog.dialogs.texts().first().contains(c.told)) << g.prog.dialogs.texts().first().toStdString();
        EXPECT_EQ(g.archive().list({}).size(), c.keeps ? 2u : 0u); // both reads
        if (QString(c.what).contains("damaged")) {
            const QStringList aside = QDir(g.folder()).entryList({"Archiv-damaged-*.sqlite"});
            ASSERT_EQ(aside.size(), 1);
            EXPECT_EQ(testsupport::Sandbox::readFile(g.folder() + '/' + aside[0]), before);
        } else if (QString(c.what) == "a later schema") {
            EXPECT_EQ(testsupport::Sandbox::readFile(file), before);
        }
        held.reset();
    }
}

// An archive of the first schema is taken over whole: its series, readings and dates, and the text filter finds them.
TEST(Archive, MigratesFromTheFirstSchema)
{
    testsupport::Sandbox sb;
    archive::Series s;
    s.kind = Kind::Online;
    s.view = 2;
    s.started = s.ended = QDateTime(QDate(2024, 5, 17), QTime(14, 3));
    s.model = "FNB";
    s.settings.projectFields = QStringList{"Brücke 7", "", "", "", "", "K. Weber"};
    const std::vector<archive::Reading> readings = {{1, 101.5, "µm  ", " Fe", "17.05.2024", "23:59:59"},
                                                    {2, -3.25, "µm  ", "NFe", "18.05.2024", "00:00:01"},
                                                    {3, 0.5, "mVs ", "", "18.05.2024", "00:00:02"}};
    qint64 id = 0;
    {
        Archive first;
        ASSERT_TRUE(first.open(sb.data(), Archive::Access::Write, 0, 1).ok());
        EXPECT_EQ(first.schemaVersion(), 1);
        id = first.add(s, readings);
        ASSERT_NE(id, 0);
    }
    Archive a;
    ASSERT_TRUE(a.open(sb.data()).ok());
    EXPECT_EQ(a.schemaVersion(), Archive::kSchemaVersion);
    EXPECT_EQ(a.readings(id), readings);
    EXPECT_EQ(a.series(id)->settings.projectFields, s.settings.projectFields);
    ASSERT_EQ(a.list({"brücke", QDate(2024, 5, 17), QDate(2024, 5, 17)}).size(), 1u);
    EXPECT_TRUE(a.list({{}, QDate(2024, 5, 18), {}}).empty());
    EXPECT_TRUE(a.addFile(id, "/x.mes", QDateTime::currentDateTime()));
    EXPECT_TRUE(a.remove(id));
    EXPECT_TRUE(a.readings(id).empty());
}
