#include "ServerArchive.h"
#include "SeriesCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace archive {

using namespace codec;

namespace {

std::atomic<int> g_connections{0};

// libpq says why a connection failed only in words; these say the server was reached and turned us away.
bool refusedText(const QString& text)
{
    static const char* const kRefused[] = {"authentication failed", "no password supplied", "does not exist",
                                           "pg_hba.conf",           "permission denied",    "certificate"};
    for (const char* word : kRefused)
        if (text.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    return false;
}

// What Qt's driver hands to libpq: one line of keyword=value pairs (it turns ";" into blanks).
QString connectOptions(const QString& connection)
{
    QString c = connection.trimmed();
    if (c.startsWith(QLatin1String("postgresql://")) || c.startsWith(QLatin1String("postgres://")))
        c = QStringLiteral("dbname='%1'").arg(c); // libpq expands a URI given as the database name
    else if (!c.contains(QLatin1Char('=')))
        c = QStringLiteral("service='%1'").arg(c);
    // A server that does not answer must not keep an upload waiting for minutes.
    if (!c.contains(QLatin1String("connect_timeout")))
        c += QStringLiteral(" connect_timeout=5");
    return c + QStringLiteral(" application_name=varnotek-transfer");
}

// The series' header in the order of the insert's columns; a null text goes in as "".
void bindSeries(QSqlQuery& q, const Series& s)
{
    const QString project = projectText(s.settings.projectFields);
    for (const QVariant& v :
         {QVariant(s.uid),
          QVariant(s.previousUid),
          QVariant(s.version),
          QVariant(int(s.kind)),
          QVariant(s.view),
          QVariant(timeText(s.started)),
          QVariant(timeText(s.ended)),
          QVariant(s.edition),
          QVariant(s.model),
          QVariant(s.port),
          QVariant(s.firmware),
          QVariant(s.probe),
          QVariant(s.mac),
          QVariant(s.source),
          QVariant(project),
          QVariant(settingsJson(s.settings)),
          QVariant(s.count),
          QVariant(s.mean),
          QVariant(s.unit),
          QVariant(s.verdict),
          QVariant(searchText(s.edition, s.model, s.port, s.firmware, s.probe, s.mac, s.source, project))})
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
}

// All readings as one JSON array, so that one statement inserts them: one round trip, whatever their number.
QString readingsJson(const std::vector<Reading>& readings)
{
    QJsonArray rows;
    for (const Reading& r : readings)
        rows.append(QJsonArray{r.nr, r.wert, r.einheit, r.material, r.datum, r.zeit});
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact));
}

} // namespace

struct ServerArchive::Impl {
    QString connection = QStringLiteral("vt_server_%1").arg(++g_connections);
    bool open = false;
    QString error;

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }
    bool fail(const QSqlError& e)
    {
        // The server's or libpq's own words; Qt's driver adds only "Unable to connect" and the like.
        error = (e.databaseText().isEmpty() ? e.text() : e.databaseText()).simplified();
        return false;
    }
    void closeDb()
    {
        if (QSqlDatabase::contains(connection)) {
            db().close();
            QSqlDatabase::removeDatabase(connection);
        }
        open = false;
    }
};

ServerArchive::ServerArchive() : d(std::make_unique<Impl>()) {}

ServerArchive::~ServerArchive()
{
    close();
}

void ServerArchive::close()
{
    d->closeDb();
}

bool ServerArchive::isOpen() const
{
    return d->open;
}

QString ServerArchive::lastError() const
{
    return d->error;
}

ServerArchive::Opened ServerArchive::open(const QString& connection)
{
    close();
    d->error.clear();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return {State::NoDriver, QStringLiteral("QPSQL"), 0};
    bool opened = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), d->connection);
        database.setConnectOptions(connectOptions(connection));
        opened = database.open() || d->fail(database.lastError());
    }
    if (!opened) {
        d->closeDb();
        return {refusedText(d->error) ? State::Refused : State::Unreachable, d->error, 0};
    }
    int version = 0;
    {
        QSqlQuery q(d->db());
        if (q.exec(QStringLiteral("SELECT max(version) FROM archive_schema")) && q.next())
            version = q.value(0).toInt();
        else
            d->fail(q.lastError());
    }
    if (version != kSchemaVersion) {
        if (version != 0)
            d->error = QStringLiteral("archive_schema %1").arg(version);
        d->closeDb();
        return {State::WrongSchema, d->error, version};
    }
    d->open = true;
    return {};
}

ServerArchive::Put ServerArchive::upload(const Series& s, const std::vector<Reading>& readings)
{
    if (!d->open || s.uid.isEmpty())
        return Put::Failed;
    QSqlDatabase db = d->db();
    const auto failed = [&](const QSqlError& e) {
        d->fail(e);
        db.rollback();
        // Whatever went wrong, the next pass begins with a fresh connection.
        db = QSqlDatabase();
        d->closeDb();
        return Put::Failed;
    };
    if (!db.transaction())
        return failed(db.lastError());
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO series (uid, previous, version, kind, view, started, ended, edition, model, port, firmware, "
        "probe, mac, source, project, settings, count, mean, unit, verdict, search) VALUES (?::uuid, "
        "NULLIF(?, '')::uuid, ?, ?, ?, ?::timestamp, NULLIF(?, '')::timestamp, ?, ?, ?, ?, ?, ?, ?, ?, ?::jsonb, ?, "
        "?, ?, ?, ?) ON CONFLICT (uid) DO NOTHING RETURNING id"));
    bindSeries(q, s);
    if (!q.exec())
        return failed(q.lastError());
    if (!q.next()) {
        db.rollback();
        return Put::Present;
    }
    const qint64 id = q.value(0).toLongLong();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO reading (series, idx, nr, wert, einheit, material, datum, zeit) SELECT ?, (t.o - 1)::int, "
        "(t.r->>0)::smallint, (t.r->>1)::float8, t.r->>2, t.r->>3, t.r->>4, t.r->>5 "
        "FROM jsonb_array_elements(?::jsonb) WITH ORDINALITY AS t(r, o)"));
    insert.addBindValue(id);
    insert.addBindValue(readingsJson(readings));
    if (!insert.exec())
        return failed(insert.lastError());
    if (!db.commit())
        return failed(db.lastError());
    return Put::Added;
}

std::vector<ListEntry> ServerArchive::list(const Filter& filter, int limit) const
{
    std::vector<ListEntry> out;
    d->error.clear();
    if (!d->open)
        return out;
    QString sql = QStringLiteral("SELECT id, version, kind, to_char(started, 'YYYY-MM-DD\"T\"HH24:MI:SS.MS'), model, "
                                 "port, project, source, count, mean, unit, verdict FROM series");
    QStringList where;
    QVariantList values;
    const QString text = filter.text.trimmed().toLower();
    if (!text.isEmpty()) {
        where << QStringLiteral("search LIKE ? ESCAPE '\\'");
        values << likePattern(text);
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("started >= ?::timestamp");
        values << filter.since.toString(Qt::ISODate);
    }
    if (filter.until.isValid()) {
        where << QStringLiteral("started < ?::timestamp");
        values << filter.until.addDays(1).toString(Qt::ISODate);
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY started DESC, id DESC LIMIT %1").arg(std::max(limit, 0));
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        d->fail(q.lastError());
        return out;
    }
    while (q.next()) {
        out.push_back(listEntryOf(q));
    }
    return out;
}

std::optional<Series> ServerArchive::series(qint64 id) const
{
    if (!d->open)
        return std::nullopt;
    QSqlQuery q(d->db());
    q.prepare(
        QStringLiteral("SELECT id, uid::text, coalesce(previous::text, ''), version, kind, view, "
                       "to_char(started, 'YYYY-MM-DD\"T\"HH24:MI:SS.MS'), coalesce(to_char(ended, "
                       "'YYYY-MM-DD\"T\"HH24:MI:SS.MS'), ''), "
                       "edition, model, port, firmware, probe, mac, source, settings::text, count, mean, unit, verdict "
                       "FROM series WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) {
        d->fail(q.lastError());
        return std::nullopt;
    }
    Series s;
    s.id = q.value(0).toLongLong();
    s.uid = q.value(1).toString();
    s.previousUid = q.value(2).toString();
    s.version = q.value(3).toInt();
    s.kind = static_cast<Kind>(q.value(4).toInt());
    s.view = q.value(5).toInt();
    s.started = timeOf(q.value(6));
    s.ended = timeOf(q.value(7));
    s.edition = q.value(8).toString();
    s.model = q.value(9).toString();
    s.port = q.value(10).toString();
    s.firmware = q.value(11).toString();
    s.probe = q.value(12).toString();
    s.mac = q.value(13).toString();
    s.source = q.value(14).toString();
    s.settings = settingsOf(q.value(15).toString());
    s.count = q.value(16).toInt();
    s.mean = q.value(17).toDouble();
    s.unit = q.value(18).toString();
    s.verdict = q.value(19).toString();
    return s;
}

std::vector<Reading> ServerArchive::readings(qint64 id) const
{
    std::vector<Reading> out;
    if (!d->open)
        return out;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT nr, wert, einheit, material, datum, zeit FROM reading WHERE series = ? ORDER BY idx"));
    q.addBindValue(id);
    if (!q.exec()) {
        d->fail(q.lastError());
        return out;
    }
    while (q.next())
        out.push_back({static_cast<qint16>(q.value(0).toInt()), q.value(1).toDouble(), q.value(2).toString(),
                       q.value(3).toString(), q.value(4).toString(), q.value(5).toString()});
    return out;
}

} // namespace archive
