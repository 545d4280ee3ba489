#include "PgServer.h"
#include "archive/Archive.h"
#include "archive/ServerUploader.h"
#include "session/ServerSync.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using archive::Archive;
using archive::ServerArchive;
using archive::ServerUploader;

namespace {

// One inspector's computer: its own archive and uploader. The program marks what the server took, as here.
struct Laptop {
    QTemporaryDir dir;
    Archive local;
    ServerUploader up;
    ServerUploader::Outcome last;
    bool done = false;

    explicit Laptop(const QString& connection)
    {
        EXPECT_TRUE(local.open(dir.path()).ok());
        up.setPlaces(dir.path(), connection);
        QObject::connect(&up, &ServerUploader::uploaded, [this](const QList<qint64>& ids) { local.markUploaded(ids); });
        QObject::connect(&up, &ServerUploader::passFinished, [this](const ServerUploader::Outcome& o) {
            last = o;
            done = !up.busy();
        });
    }
    qint64 keep(int readings, double base, qint64 previous = 0)
    {
        archive::Series s;
        s.kind = archive::Kind::Memory1;
        s.previous = previous;
        s.version = previous ? 2 : 1;
        s.started = QDateTime::currentDateTime();
        s.model = QStringLiteral("RONDO");
        s.settings.projectFields = {QStringLiteral("Brücke %1").arg(base)};
        std::vector<archive::Reading> rs;
        for (int i = 0; i < readings; ++i)
            rs.push_back({qint16(i + 1), base + i * 0.1, QStringLiteral("µm  "), QStringLiteral("Fe"),
                          QStringLiteral("07.12.2026"), QStringLiteral("10:00:%1").arg(i % 60, 2, 10, QChar('0'))});
        s.count = readings;
        return local.add(s, rs);
    }
    void upload()
    {
        done = false;
        up.uploadPending(local.lastId(), 0);
    }
    ServerUploader::Outcome finish()
    {
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
        EXPECT_EQ(s_pg->sql("SELECT count(*), count(DISTINCT uid) FROM series"), QStringLiteral("%1|%1").arg(series));
        EXPECT_EQ(s_pg->sql("SELECT count(*) FROM series s WHERE count <> (SELECT count(*) FROM reading r "
                            "WHERE r.series = s.id)"),
                  "0");
    }
    static testsupport::PgServer* s_pg;
};
testsupport::PgServer* Server::s_pg = nullptr;

// Two laptops measure and upload at the same time; a version follows the series it replaced; a second upload of
// the same archive (a mark lost when the program was killed) adds nothing.
TEST_F(Server, TwoLaptopsAtOnce)
{
    s_pg->sql("TRUNCATE reading, series");
    Laptop a(s_pg->connection("anna")), b(s_pg->connection("ben"));
    for (int i = 0; i < 30; ++i) {
        a.keep(200, i);
        b.keep(200, 1000 + i);
        if (i % 5 == 0) {
            a.upload();
            b.upload();
        }
    }
    const qint64 first = a.keep(10, 7);
    a.keep(9, 7, first);
    a.upload();
    b.upload();
    EXPECT_TRUE(a.finish().ok) << a.last.error.toStdString();
    EXPECT_TRUE(b.finish().ok) << b.last.error.toStdString();
    EXPECT_EQ(a.last.waiting + b.last.waiting, 0);
    expectIntact(62);
    EXPECT_EQ(s_pg->sql("SELECT count(*) FROM series v JOIN series p ON v.previous = p.uid AND p.count = 10 "
                        "WHERE v.version = 2 AND v.inspector = 'anna'"),
              "1");
    EXPECT_TRUE(a.local.pending(a.local.lastId(), 0).empty());

    Laptop copy(s_pg->connection("anna"));
    copy.up.setPlaces(a.dir.path(), s_pg->connection("anna"));
    copy.up.uploadPending(1 << 30, 0);
    EXPECT_TRUE(copy.finish().ok);
    EXPECT_EQ(copy.last.added, 0);
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
    QObject::connect(&a.up, &ServerUploader::uploaded, [&] {
        if (!std::exchange(stopped, true))
            s_pg->stop();
    });
    a.upload();
    const ServerUploader::Outcome cut = a.finish();
    s_pg->start();
    EXPECT_FALSE(cut.ok);
    EXPECT_GT(cut.waiting, 0);
    EXPECT_LT(cut.waiting, 300);
    a.upload();
    EXPECT_TRUE(a.finish().ok) << a.last.error.toStdString();
    EXPECT_EQ(a.last.waiting, 0);
    expectIntact(300);
}

// What the inspector is told when the server is not as it should be; the series stay and wait.
TEST_F(Server, TroubleIsToldAndLocalWorkGoesOn)
{
    struct Case {
        const char* name;
        QString connection;
        const char* before; // SQL run as owner first
        const char* after;
        ServerArchive::State state;
        const char* german;
        const char* english;
    } cases[] = {
        {"wrong password", s_pg->connection("anna", "wrong"), "", "", ServerArchive::State::Refused, "Passwort",
         "password"},
        {"other schema", s_pg->connection("anna"), "UPDATE archive_schema SET version = 2",
         "UPDATE archive_schema SET version = 1", ServerArchive::State::WrongSchema, "Version 2",
         "version 2; this program needs version 1"},
        {"no archive", s_pg->connection("anna", {}, "postgres"), "", "", ServerArchive::State::WrongSchema,
         "kein Archiv", "no archive"},
        {"no server", s_pg->connection("anna").replace("port=5432", "port=1"), "", "",
         ServerArchive::State::Unreachable, "nicht erreichbar", "cannot be reached"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Laptop a(c.connection);
        a.keep(5, 1);
        s_pg->sql(c.before);
        a.upload();
        const ServerUploader::Outcome o = a.finish();
        s_pg->sql(c.after);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.state, c.state);
        EXPECT_EQ(o.waiting, 1);
        EXPECT_TRUE(session::ServerSync::describe(o, 0).contains(QString::fromUtf8(c.german)))
            << session::ServerSync::describe(o, 0).toStdString();
        EXPECT_TRUE(session::ServerSync::describe(o, 1).contains(QString::fromUtf8(c.english)))
            << session::ServerSync::describe(o, 1).toStdString();
        EXPECT_GT(a.keep(5, 2), 0);
        EXPECT_EQ(a.local.pending(a.local.lastId(), 0).size(), 2u);
    }
}

// The inspectors' role adds and reads; it changes and deletes nothing.
TEST_F(Server, InspectorMayOnlyAddAndRead)
{
    Laptop a(s_pg->connection("anna"));
    a.keep(3, 1);
    a.upload();
    ASSERT_TRUE(a.finish().ok);
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "inspector");
    db.setConnectOptions(s_pg->connection("anna"));
    ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    const QString before = s_pg->sql("SELECT count(*) FROM reading");
    for (const char* sql : {"DELETE FROM series", "DELETE FROM reading", "UPDATE reading SET wert = 0",
                            "TRUNCATE series CASCADE", "UPDATE archive_schema SET version = 9", "DROP TABLE reading"}) {
        QSqlQuery q(db);
        EXPECT_FALSE(q.exec(sql)) << sql;
        EXPECT_TRUE(q.lastError().text().contains("permission denied") || q.lastError().text().contains("owner"))
            << q.lastError().text().toStdString();
    }
    EXPECT_EQ(s_pg->sql("SELECT count(*) FROM reading"), before);
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("inspector");
}

} // namespace
