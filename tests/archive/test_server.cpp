#include "PgServer.h"
#include "Program.h"
#include "archive/Archive.h"
#include "archive/ServerUploader.h"
#include "session/ArchiveRecorder.h"
#include "session/ServerSync.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using archive::ServerArchive;
using archive::ServerUploader;

namespace {

// One inspector's computer: its archive and uploader, marking what the server took as the program does.
struct Laptop {
    QTemporaryDir dir;
    archive::Archive local;
    ServerUploader up;
    ServerUploader::Outcome last;
    bool done = false;

    explicit Laptop(const QString& connection, const QString& folder = {})
    {
        EXPECT_TRUE(local.open(dir.path()).ok());
        up.setPlaces(folder.isEmpty() ? dir.path() : folder, connection);
        QObject::connect(&up, &ServerUploader::uploaded, [this](const QList<qint64>& ids) { local.markUploaded(ids); });
        QObject::connect(&up, &ServerUploader::passFinished, [this](const ServerUploader::Outcome& o) {
            last = o;
            done = !up.busy();
        });
    }
    qint64 keep(int readings, double base, qint64 previous = 0)
    {
        archive::Series s{.previous = previous, .version = previous ? 2 : 1, .started = QDateTime::currentDateTime()};
        std::vector<archive::Reading> rs;
        for (int i = 0; i < readings; ++i)
            rs.push_back({qint16(i + 1), base + i * 0.1, "µm  ", "Fe", "07.12.2026", "10:00:00"});
        s.count = readings;
        return local.add(s, rs);
    }
    ServerUploader::Outcome upload()
    {
        done = false;
        up.uploadPending(1 << 30, 0);
        for (QDeadlineTimer t(60000); !done && !t.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        EXPECT_TRUE(done) << "no answer from the upload";
        return last;
    }
};

class Server : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_pg = new testsupport::PgServer; }
    static void TearDownTestSuite() { delete s_pg; }
    void SetUp() override { ASSERT_TRUE(s_pg->ok()) << "PostgreSQL did not start: " << s_pg->error().toStdString(); }
    // Every series once, each with all its readings.
    static void expectIntact(int series)
    {
        EXPECT_EQ(s_pg->sql("SELECT count(*), count(DISTINCT uid), count(*) FILTER (WHERE count <> (SELECT count(*) "
                            "FROM reading r WHERE r.series = s.id)) FROM series s"),
                  QString("%1|%1|0").arg(series));
    }
    static inline testsupport::PgServer* s_pg = nullptr;
};

// Two laptops measure and upload at the same time (a pass asked for while one runs follows it); a version names
// the series it replaced; the same archive uploaded again (a mark lost to a killed program) adds nothing.
TEST_F(Server, TwoLaptopsAtOnce)
{
    s_pg->sql("TRUNCATE reading, series");
    Laptop a(s_pg->connection("anna")), b(s_pg->connection("ben"));
    for (int i = 0; i < 30; ++i) {
        a.keep(200, i);
        b.keep(200, 1000 + i);
        if (i % 5 == 0) {
            a.up.uploadPending(1 << 30, 0);
            b.up.uploadPending(1 << 30, 0);
        }
    }
    a.keep(9, 7, a.keep(10, 7));
    EXPECT_TRUE(a.upload().ok && b.upload().ok) << a.last.error.toStdString() << b.last.error.toStdString();
    EXPECT_EQ(a.last.waiting + b.last.waiting, 0);
    expectIntact(62);
    EXPECT_EQ(s_pg->sql("SELECT v.inspector, p.count FROM series v JOIN series p ON v.previous = p.uid"), "anna|10");
    EXPECT_TRUE(a.local.pending(1 << 30, 0).empty());
    Laptop again(s_pg->connection("anna"), a.dir.path());
    EXPECT_TRUE(again.upload().ok);
    EXPECT_EQ(again.last.added, 0);
    expectIntact(62);
}

// The server goes away during an upload and comes back: the next pass brings the rest, nothing twice.
TEST_F(Server, ServerStoppedDuringUpload)
{
    s_pg->sql("TRUNCATE reading, series");
    Laptop a(s_pg->connection("anna"));
    for (int i = 0; i < 300; ++i)
        a.keep(200, i);
    bool stopped = false;
    QObject::connect(&a.up, &ServerUploader::uploaded, [&] { std::exchange(stopped, true) || (s_pg->stop(), 0); });
    const ServerUploader::Outcome cut = a.upload();
    s_pg->start();
    EXPECT_FALSE(cut.ok);
    EXPECT_GT(cut.waiting, 0);
    EXPECT_LT(cut.waiting, 300);
    EXPECT_TRUE(a.upload().ok) << a.last.error.toStdString();
    EXPECT_EQ(a.last.waiting, 0);
    expectIntact(300);
}

// What the inspector is told when the server is not as it should be; the series stay and wait.
TEST_F(Server, TroubleIsToldAndLocalWorkGoesOn)
{
    const struct {
        QString connection;
        const char* before; // SQL run as owner first, undone by after
        const char* after;
        ServerArchive::State state;
        const char* german;
        const char* english;
    } cases[] = {
        {s_pg->connection("anna", "wrong"), "", "", ServerArchive::State::Refused, "Passwort", "password"},
        {s_pg->connection("anna"), "UPDATE archive_schema SET version = 2", "UPDATE archive_schema SET version = 1",
         ServerArchive::State::WrongSchema, "Version 2", "version 2; this program needs version 1"},
        {s_pg->connection("anna", {}, "postgres"), "", "", ServerArchive::State::WrongSchema, "kein Archiv",
         "no archive"},
        {s_pg->connection("anna").replace("port=5432", "port=1"), "", "", ServerArchive::State::Unreachable,
         "nicht erreichbar", "cannot be reached"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection.toStdString());
        Laptop a(c.connection);
        a.keep(5, 1);
        s_pg->sql(c.before);
        const ServerUploader::Outcome o = a.upload();
        s_pg->sql(c.after);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.state, c.state);
        EXPECT_EQ(o.waiting, 1);
        for (const auto& [lang, text] : {std::pair{0, c.german}, {1, c.english}})
            EXPECT_TRUE(session::ServerSync::describe(o, lang).contains(QString::fromUtf8(text)))
                << session::ServerSync::describe(o, lang).toStdString();
        a.keep(5, 2);
        EXPECT_EQ(a.local.pending(1 << 30, 0).size(), 2u);
    }
}

// The inspectors' role adds and reads; it changes and deletes nothing.
TEST_F(Server, InspectorMayOnlyAddAndRead)
{
    Laptop a(s_pg->connection("anna"));
    a.keep(3, 1);
    ASSERT_TRUE(a.upload().ok);
    const QString before = s_pg->sql("SELECT count(*) FROM reading");
    for (const char* sql : {"DELETE FROM series", "DELETE FROM reading", "UPDATE reading SET wert = 0",
                            "TRUNCATE series CASCADE", "UPDATE archive_schema SET version = 9", "DROP TABLE reading"})
        EXPECT_TRUE(s_pg->sql(sql, "anna").contains(QRegularExpression("permission denied|must be owner"))) << sql;
    EXPECT_EQ(s_pg->sql("SELECT count(*) FROM reading", "anna"), before);
}

// The program uploads what it kept by itself once Server.ini names the server, and says so.
TEST_F(Server, ProgramUploadsWhatItKeeps)
{
    s_pg->sql("TRUNCATE reading, series");
    Program prog("RD");
    ASSERT_TRUE(prog.start());
    session::ArchiveRecorder& recorder = prog.session->archive();
    ASSERT_TRUE(recorder.ensureOpen());
    recorder.archive().add({.started = QDateTime::currentDateTime(), .count = 1},
                           {{1, 101.5, "µm  ", "Fe", "07.12.2026", "10:00:00"}});
    testsupport::Sandbox::writeFile(prog.st.edition.AppDataPath + "/Server.ini",
                                    (s_pg->connection("anna") + ";1;\r\n").toLatin1());
    session::ServerSync& sync = prog.session->server();
    bool passed = false;
    QObject::connect(&sync, &session::ServerSync::statusChanged, [&] { passed = !sync.uploader().busy(); });
    sync.start();
    for (QDeadlineTimer t(30000); !passed && !t.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(sync.statusText(), "Alle Messreihen sind auf dem Server.");
    expectIntact(1);
    EXPECT_TRUE(recorder.archive().pending(1 << 30, 0).empty());
}

} // namespace
