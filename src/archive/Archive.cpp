#include "Archive.h"
#include "SeriesCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <atomic>

namespace archive {

using namespace codec;

namespace {

// SQLite's result codes that say the file itself is bad.
bool damagedCode(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11"); // SQLITE_NOTADB, SQLITE_CORRUPT
}

bool busyCode(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6"); // SQLITE_BUSY, SQLITE_LOCKED
}

// Readings are keyed by series and index in one integer, so the table needs no index of its own and a series'
// readings lie side by side.
qint64 position(qint64 id, int index)
{
    return (id << 13) | index;
}

// The schema, one step per version; a step runs once, inside the transaction that sets the version.
const char* const kStep1[] = {
    "CREATE TABLE series (id INTEGER PRIMARY KEY, previous INTEGER NOT NULL DEFAULT 0, "
    "version INTEGER NOT NULL DEFAULT 1, kind INTEGER NOT NULL, view INTEGER NOT NULL, started TEXT NOT NULL, "
    "ended TEXT NOT NULL, edition TEXT, model TEXT, port TEXT, firmware TEXT, probe TEXT, mac TEXT, source TEXT, "
    "project TEXT, settings TEXT NOT NULL, count INTEGER NOT NULL DEFAULT 0, mean REAL NOT NULL DEFAULT 0, "
    "unit TEXT, verdict TEXT)",
    "CREATE INDEX series_started ON series(started)",
    // pos = series id * 8192 + index; datum NULL: the same as the reading before.
    "CREATE TABLE reading (pos INTEGER PRIMARY KEY, nr INTEGER, wert REAL, einheit TEXT, material TEXT, "
    "datum TEXT, zeit TEXT)",
};
const char* const kStep2[] = {
    "ALTER TABLE series ADD COLUMN search TEXT NOT NULL DEFAULT ''",
    "CREATE TABLE series_file (series INTEGER NOT NULL, path TEXT NOT NULL, saved TEXT NOT NULL)",
    "CREATE INDEX series_file_series ON series_file(series)",
};

// Series get an id of their own that the server keys them by; "uploaded" marks what it has.
const char* const kStep3[] = {
    "ALTER TABLE series ADD COLUMN uid TEXT",
    "ALTER TABLE series ADD COLUMN uploaded INTEGER NOT NULL DEFAULT 0",
    "CREATE INDEX series_pending ON series(id) WHERE uploaded = 0",
};

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

std::atomic<int> g_connections{0};

} // namespace

struct Archive::Impl {
    QString connection = QStringLiteral("vt_archive_%1").arg(++g_connections);
    QString folder;
    QString path;
    Access access = Access::Write;
    std::unique_ptr<QLockFile> lock;
    bool open = false;
    int version = 0;
    QString error;
    bool damaged = false;
    bool suspect = false;
    std::optional<QSqlQuery> insertReading;
    std::optional<QSqlQuery> updateSummary;
    // Per series being appended to: the last date written (a reading of the same date stores none).
    qint64 lastId = 0;
    QString lastDatum;

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }

    bool fail(const QSqlError& e)
    {
        error = e.text();
        damaged = damagedCode(e);
        return false;
    }
    bool exec(QSqlQuery& q) { return q.exec() || fail(q.lastError()); }
    bool exec(const QString& sql)
    {
        QSqlQuery q(db());
        return q.exec(sql) || fail(q.lastError());
    }
    bool transaction() { return db().transaction() || fail(db().lastError()); }
    bool commit()
    {
        if (db().commit())
            return true;
        fail(db().lastError());
        db().rollback();
        return false;
    }
    template <typename F> bool inTransaction(F&& work)
    {
        if (!transaction())
            return false;
        if (!work()) {
            db().rollback();
            return false;
        }
        return commit();
    }

    void closeDb()
    {
        insertReading.reset();
        updateSummary.reset();
        if (QSqlDatabase::contains(connection)) {
            db().close();
            QSqlDatabase::removeDatabase(connection);
        }
        open = false;
        lastId = 0;
    }

    Opened connect(int upTo);
    Opened checkFile();
    Opened prepareWriting(int upTo);
    bool migrate(int upTo);
    bool fillSearch();
    bool fillUid();
    bool prepare();
    qint64 insertHeader(const Series& s);
    bool writeReadings(qint64 id, const std::vector<Reading>& readings);
    bool bindReading(qint64 id, int index, const Reading& r);
    QString setAside();
};

Archive::Archive() : d(std::make_unique<Impl>()) {}

Archive::~Archive()
{
    close();
}

void Archive::close()
{
    d->closeDb();
    d->lock.reset();
}

bool Archive::isOpen() const
{
    return d->open;
}

QString Archive::path() const
{
    return d->path;
}

int Archive::schemaVersion() const
{
    return d->version;
}

QString Archive::lastError() const
{
    return d->error;
}

bool Archive::lastErrorDamaged() const
{
    return d->damaged;
}

Archive::Opened Archive::open(const QString& folder, Access access, int waitMs, int upToVersion)
{
    close();
    d->folder = folder;
    d->path = QDir(folder).absoluteFilePath(fileName());
    d->access = access;
    // A write that failed on a damaged page earlier has the whole file checked before it is trusted again.
    d->suspect = d->suspect || d->damaged;
    d->error.clear();
    d->damaged = false;
    if (access == Access::Read) {
        if (!QFileInfo::exists(d->path))
            return {State::Missing, {}, {}};
        return d->connect(upToVersion);
    }
    if (!QDir().mkpath(folder))
        return {State::Unwritable, QStringLiteral("cannot create %1").arg(folder), {}};
    d->lock = std::make_unique<QLockFile>(d->path + QStringLiteral(".lock"));
    // Only a lock whose process is gone counts as stale: a writer may be idle for hours.
    d->lock->setStaleLockTime(0);
    if (!d->lock->tryLock(waitMs)) {
        const bool busy = d->lock->error() == QLockFile::LockFailedError;
        d->lock.reset();
        return {busy ? State::Busy : State::Unwritable,
                busy ? QString() : QStringLiteral("cannot lock %1").arg(d->path),
                {}};
    }
    Opened r = d->connect(upToVersion);
    if (r.state == State::Damaged) {
        // The damaged file is never written again: it is moved aside whole and a new archive begins.
        const QString why = r.error;
        const QString aside = d->setAside();
        if (aside.isEmpty()) {
            close();
            return {State::Unwritable, why, {}};
        }
        r = d->connect(upToVersion);
        if (r.ok())
            r = {State::Damaged, why, aside};
    }
    if (!d->open)
        close();
    return r;
}

// Opens the connection and checks that the file is a database of a schema this program knows.
Archive::Opened Archive::Impl::connect(int upTo)
{
    closeDb();
    bool opened = false;
    {
        // No handle may outlive closeDb(): Qt keeps a connection in use while one exists.
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        database.setConnectOptions(access == Access::Read
                                       ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                       : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        opened = database.open() || fail(database.lastError());
    }
    if (!opened) {
        closeDb();
        return {State::Unwritable, error, {}};
    }
    if (const Opened read = checkFile(); !read.ok()) {
        closeDb();
        return read;
    }
    if (version > kSchemaVersion) {
        error = QStringLiteral("schema version %1").arg(version);
        closeDb();
        return {State::TooNew, error, {}};
    }
    if (access == Access::Write) {
        if (const Opened written = prepareWriting(upTo); !written.ok()) {
            closeDb();
            return written;
        }
    } else if (version < 1) {
        closeDb();
        return {State::Missing, {}, {}};
    }
    open = true;
    return {State::Open, {}, {}};
}

// Reads the schema version and the file's pages; its queries are gone on return, so the caller may close.
Archive::Opened Archive::Impl::checkFile()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        fail(q.lastError());
        return {damaged ? State::Damaged : busyCode(q.lastError()) ? State::Busy : State::Unwritable, error, {}};
    }
    version = q.value(0).toInt();
    // A page the header does not show as bad still has to be read once before the archive is trusted.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
        fail(q.lastError());
        return {damaged ? State::Damaged : State::Unwritable, error, {}};
    }
    if (suspect &&
        (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok"))) {
        error = q.lastError().isValid() ? q.lastError().text() : q.value(0).toString();
        return {State::Damaged, error, {}};
    }
    suspect = false;
    return {State::Open, {}, {}};
}

// A writer's connection: the write-ahead log, the schema up to upTo, the statements prepared.
Archive::Opened Archive::Impl::prepareWriting(int upTo)
{
    // The log keeps every committed transaction when the program is killed; only a crash of the system itself
    // may lose the last ones, so synchronous=NORMAL keeps each online value as cheap as it must be.
    QSqlQuery pragma(db());
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !pragma.next() ||
        pragma.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0 ||
        !pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) || !migrate(upTo) || !prepare()) {
        if (pragma.lastError().isValid())
            fail(pragma.lastError());
        return {damaged ? State::Damaged : busyCode(pragma.lastError()) ? State::Busy : State::Unwritable, error, {}};
    }
    return {State::Open, {}, {}};
}

bool Archive::Impl::migrate(int upTo)
{
    struct Step {
        const char* const* sql;
        size_t count;
        bool (Impl::*fill)();
    };
    const Step steps[] = {{kStep1, std::size(kStep1), nullptr},
                          {kStep2, std::size(kStep2), &Impl::fillSearch},
                          {kStep3, std::size(kStep3), &Impl::fillUid}};
    for (int v = version; v < std::min(upTo, kSchemaVersion); ++v) {
        const Step& step = steps[v];
        const bool done = inTransaction([&] {
            for (size_t i = 0; i < step.count; ++i)
                if (!exec(QString::fromLatin1(step.sql[i])))
                    return false;
            if (step.fill && !(this->*step.fill)())
                return false;
            return exec(QStringLiteral("PRAGMA user_version=%1").arg(v + 1));
        });
        if (!done)
            return false;
        version = v + 1;
    }
    return true;
}

// Series kept before the text filter had its own column get it from their stored fields.
bool Archive::Impl::fillSearch()
{
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, edition, model, port, firmware, probe, mac, source, project FROM series")))
        return fail(q.lastError());
    QSqlQuery update(db());
    update.prepare(QStringLiteral("UPDATE series SET search = ? WHERE id = ?"));
    while (q.next()) {
        update.addBindValue(searchText(q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                                       q.value(4).toString(), q.value(5).toString(), q.value(6).toString(),
                                       q.value(7).toString(), q.value(8).toString()));
        update.addBindValue(q.value(0));
        if (!exec(update))
            return false;
    }
    return true;
}

bool Archive::Impl::fillUid()
{
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id FROM series")))
        return fail(q.lastError());
    QSqlQuery update(db());
    update.prepare(QStringLiteral("UPDATE series SET uid = ? WHERE id = ?"));
    while (q.next()) {
        update.addBindValue(newUid());
        update.addBindValue(q.value(0));
        if (!exec(update))
            return false;
    }
    return exec(QStringLiteral("CREATE UNIQUE INDEX series_uid ON series(uid)"));
}

bool Archive::Impl::prepare()
{
    insertReading.emplace(db());
    updateSummary.emplace(db());
    if (!insertReading->prepare(QStringLiteral(
            "INSERT INTO reading (pos, nr, wert, einheit, material, datum, zeit) VALUES (?, ?, ?, ?, ?, ?, ?)")))
        return fail(insertReading->lastError());
    if (!updateSummary->prepare(
            QStringLiteral("UPDATE series SET ended = ?, count = ?, mean = ?, unit = ?, verdict = ? WHERE id = ?")))
        return fail(updateSummary->lastError());
    return true;
}

// Moves a damaged archive and its log files out of the way under a name of their own; "" when it cannot.
QString Archive::Impl::setAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target;
    for (int n = 1; target.isEmpty() || QFileInfo::exists(target); ++n)
        target = QDir(folder).absoluteFilePath(
            QStringLiteral("Archiv-damaged-%1%2.sqlite").arg(stamp, n == 1 ? QString() : QStringLiteral("-%1").arg(n)));
    if (!QFile::rename(path, target)) {
        error = QStringLiteral("cannot rename %1").arg(path);
        return {};
    }
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), target + QLatin1String(suffix));
    return target;
}

bool Archive::Impl::bindReading(qint64 id, int index, const Reading& r)
{
    QSqlQuery& q = *insertReading;
    q.bindValue(0, position(id, index));
    q.bindValue(1, r.nr);
    q.bindValue(2, r.wert);
    q.bindValue(3, r.einheit);
    q.bindValue(4, r.material);
    const bool sameDay = lastId == id && lastDatum == r.datum && index > 0;
    q.bindValue(5, sameDay ? QVariant() : QVariant(r.datum));
    q.bindValue(6, r.zeit);
    if (!exec(q))
        return false;
    lastId = id;
    lastDatum = r.datum;
    return true;
}

bool Archive::Impl::writeReadings(qint64 id, const std::vector<Reading>& readings)
{
    lastId = 0;
    for (size_t i = 0; i < readings.size() && i <= size_t(kMaxIndex); ++i)
        if (!bindReading(id, static_cast<int>(i), readings[i]))
            return false;
    return true;
}

qint64 Archive::Impl::insertHeader(const Series& s)
{
    QSqlQuery q(db());
    const bool search = version >= 2;
    const bool uid = version >= 3;
    q.prepare(QStringLiteral("INSERT INTO series (previous, version, kind, view, started, ended, edition, model, port, "
                             "firmware, probe, mac, source, project, settings, count, mean, unit, verdict%1%3) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?%2%4)")
                  .arg(search ? QStringLiteral(", search") : QString(), search ? QStringLiteral(", ?") : QString(),
                       uid ? QStringLiteral(", uid") : QString(), uid ? QStringLiteral(", ?") : QString()));
    const QString project = projectText(s.settings.projectFields);
    for (const QVariant& v :
         {QVariant(s.previous), QVariant(s.version), QVariant(int(s.kind)), QVariant(s.view),
          QVariant(timeText(s.started)), QVariant(timeText(s.ended)), QVariant(s.edition), QVariant(s.model),
          QVariant(s.port), QVariant(s.firmware), QVariant(s.probe), QVariant(s.mac), QVariant(s.source),
          QVariant(project), QVariant(settingsJson(s.settings)), QVariant(s.count), QVariant(s.mean), QVariant(s.unit),
          QVariant(s.verdict)})
        q.addBindValue(v);
    if (search)
        q.addBindValue(searchText(s.edition, s.model, s.port, s.firmware, s.probe, s.mac, s.source, project));
    if (uid)
        q.addBindValue(newUid()); // a new version is a series of its own on the server too
    if (!exec(q))
        return 0;
    return q.lastInsertId().toLongLong();
}

qint64 Archive::begin(const Series& s)
{
    qint64 id = 0;
    if (d->open)
        d->inTransaction([&] { return (id = d->insertHeader(s)) > 0; });
    return d->open && id > 0 ? id : 0;
}

qint64 Archive::add(const Series& s, const std::vector<Reading>& readings)
{
    // One transaction for the header and every reading: a series is there whole or not at all.
    qint64 id = 0;
    if (!d->open || !d->inTransaction([&] { return (id = d->insertHeader(s)) > 0 && d->writeReadings(id, readings); }))
        return 0;
    return id;
}

bool Archive::append(const Series& s, int index, const Reading& r)
{
    if (!d->open || index < 0 || index > kMaxIndex)
        return false;
    const bool done = d->inTransaction([&] {
        if (!d->bindReading(s.id, index, r))
            return false;
        QSqlQuery& q = *d->updateSummary;
        q.bindValue(0, timeText(s.ended));
        q.bindValue(1, s.count);
        q.bindValue(2, s.mean);
        q.bindValue(3, s.unit);
        q.bindValue(4, s.verdict);
        q.bindValue(5, s.id);
        return d->exec(q);
    });
    if (!done)
        d->lastId = 0; // the date written last may have been rolled back
    return done;
}

bool Archive::addFile(qint64 id, const QString& path, const QDateTime& when)
{
    if (!d->open)
        return false;
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("INSERT INTO series_file (series, path, saved) VALUES (?, ?, ?)"));
    q.addBindValue(id);
    q.addBindValue(path);
    q.addBindValue(timeText(when));
    return d->exec(q);
}

bool Archive::remove(qint64 id)
{
    if (!d->open)
        return false;
    return d->inTransaction([&] {
        QSqlQuery q(d->db());
        q.prepare(QStringLiteral("DELETE FROM reading WHERE pos BETWEEN ? AND ?"));
        q.addBindValue(position(id, 0));
        q.addBindValue(position(id, kMaxIndex));
        if (!d->exec(q))
            return false;
        for (const char* sql : {"DELETE FROM series_file WHERE series = ?", "DELETE FROM series WHERE id = ?"}) {
            if (d->version < 2 && QLatin1String(sql).contains(QLatin1String("series_file")))
                continue;
            q.prepare(QString::fromLatin1(sql));
            q.addBindValue(id);
            if (!d->exec(q))
                return false;
        }
        return true;
    });
}

std::vector<ListEntry> Archive::list(const Filter& filter) const
{
    std::vector<ListEntry> out;
    if (!d->open)
        return out;
    QString sql = QStringLiteral(
        "SELECT id, version, kind, started, model, port, project, source, count, mean, unit, verdict FROM series");
    QStringList where;
    QVariantList values;
    const QString text = filter.text.trimmed().toLower();
    if (!text.isEmpty() && d->version >= 2) {
        where << QStringLiteral("search LIKE ? ESCAPE '\\'");
        values << likePattern(text);
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("started >= ?");
        values << filter.since.toString(Qt::ISODate);
    }
    if (filter.until.isValid()) {
        where << QStringLiteral("started < ?");
        values << filter.until.addDays(1).toString(Qt::ISODate);
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY started DESC, id DESC");
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!d->exec(q))
        return out;
    while (q.next()) {
        out.push_back(listEntryOf(q));
    }
    return out;
}

std::optional<Series> Archive::series(qint64 id) const
{
    if (!d->open)
        return std::nullopt;
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("SELECT id, previous, version, kind, view, started, ended, edition, model, port, "
                             "firmware, probe, mac, source, settings, count, mean, unit, verdict%1 FROM series s "
                             "WHERE id = ?")
                  .arg(d->version >= 3 ? QStringLiteral(", uid, (SELECT p.uid FROM series p WHERE p.id = s.previous)")
                                       : QString()));
    q.addBindValue(id);
    if (!d->exec(q) || !q.next())
        return std::nullopt;
    Series s;
    s.id = q.value(0).toLongLong();
    s.previous = q.value(1).toLongLong();
    s.version = q.value(2).toInt();
    s.kind = static_cast<Kind>(q.value(3).toInt());
    s.view = q.value(4).toInt();
    s.started = timeOf(q.value(5));
    s.ended = timeOf(q.value(6));
    s.edition = q.value(7).toString();
    s.model = q.value(8).toString();
    s.port = q.value(9).toString();
    s.firmware = q.value(10).toString();
    s.probe = q.value(11).toString();
    s.mac = q.value(12).toString();
    s.source = q.value(13).toString();
    s.settings = settingsOf(q.value(14).toString());
    s.count = q.value(15).toInt();
    s.mean = q.value(16).toDouble();
    s.unit = q.value(17).toString();
    s.verdict = q.value(18).toString();
    if (d->version >= 3) {
        s.uid = q.value(19).toString();
        s.previousUid = q.value(20).toString();
    }
    return s;
}

std::vector<Reading> Archive::readings(qint64 id) const
{
    std::vector<Reading> out;
    if (!d->open)
        return out;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT nr, wert, einheit, material, datum, zeit FROM reading "
                             "WHERE pos BETWEEN ? AND ? ORDER BY pos"));
    q.addBindValue(position(id, 0));
    q.addBindValue(position(id, kMaxIndex));
    if (!d->exec(q))
        return out;
    QString datum;
    while (q.next()) {
        Reading r;
        r.nr = static_cast<qint16>(q.value(0).toInt());
        r.wert = q.value(1).toDouble();
        r.einheit = q.value(2).toString();
        r.material = q.value(3).toString();
        if (!q.value(4).isNull())
            datum = q.value(4).toString();
        r.datum = datum;
        r.zeit = q.value(5).toString();
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<qint64> Archive::pending(qint64 upTo, qint64 skip) const
{
    std::vector<qint64> out;
    if (!d->open || d->version < 3)
        return out;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id FROM series WHERE uploaded = 0 AND id <= ? AND id <> ? ORDER BY id"));
    q.addBindValue(upTo);
    q.addBindValue(skip);
    if (d->exec(q))
        while (q.next())
            out.push_back(q.value(0).toLongLong());
    return out;
}

qint64 Archive::lastId() const
{
    QSqlQuery q(d->db());
    return d->open && q.exec(QStringLiteral("SELECT max(id) FROM series")) && q.next() ? q.value(0).toLongLong() : 0;
}

bool Archive::markUploaded(const QList<qint64>& ids)
{
    if (!d->open || d->version < 3 || d->access != Access::Write)
        return false;
    return d->inTransaction([&] {
        QSqlQuery q(d->db());
        q.prepare(QStringLiteral("UPDATE series SET uploaded = 1 WHERE id = ?"));
        for (qint64 id : ids) {
            q.addBindValue(id);
            if (!d->exec(q))
                return false;
        }
        return true;
    });
}

QStringList Archive::files(qint64 id) const
{
    QStringList out;
    if (!d->open || d->version < 2)
        return out;
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("SELECT path FROM series_file WHERE series = ? ORDER BY saved"));
    q.addBindValue(id);
    if (d->exec(q))
        while (q.next())
            out << q.value(0).toString();
    return out;
}

} // namespace archive
