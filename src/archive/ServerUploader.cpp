#include "ServerUploader.h"
#include "Archive.h"

#include <QThread>

namespace archive {

// Lives on the thread: every member is used there only.
struct ServerUploader::Worker {
    Archive local;
    ServerArchive server;
    QString openedWith;

    bool reach(const QString& connection, Outcome& out)
    {
        if (server.isOpen() && openedWith == connection)
            return true;
        openedWith = connection;
        const ServerArchive::Opened r = server.open(connection);
        if (!r.ok()) {
            out.ok = false;
            out.state = r.state;
            out.error = r.error;
            out.serverVersion = r.serverVersion;
        }
        return r.ok();
    }
};

ServerUploader::ServerUploader(QObject* parent)
    : QObject(parent), m_thread(new QThread(this)), m_context(new QObject), m_worker(std::make_shared<Worker>())
{
    m_thread->setObjectName(QStringLiteral("archive upload"));
    m_context->moveToThread(m_thread);
    m_thread->start(QThread::LowPriority);
}

ServerUploader::~ServerUploader()
{
    m_thread->requestInterruption();
    // The connections are closed on the thread that opened them.
    QMetaObject::invokeMethod(
        m_context,
        [w = m_worker] {
            w->server.close();
            w->local.close();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
    delete m_context;
}

void ServerUploader::setPlaces(const QString& localFolder, const QString& connection)
{
    m_folder = localFolder;
    m_connection = connection.trimmed();
}

void ServerUploader::post(std::function<void(Worker&)> job)
{
    // Without a connection line libpq would try its defaults (a local server as this user): never.
    if (m_connection.isEmpty())
        return;
    QMetaObject::invokeMethod(
        m_context, [w = m_worker, job = std::move(job)] { job(*w); }, Qt::QueuedConnection);
}

void ServerUploader::uploadPending(qint64 upTo, qint64 skip)
{
    if (m_connection.isEmpty() || m_folder.isEmpty())
        return;
    m_upTo = std::max(m_upTo, upTo);
    m_skip = skip;
    if (m_busy) {
        m_again = true;
        return;
    }
    m_busy = true;
    post([this, folder = m_folder, connection = m_connection, upTo = m_upTo, skip](Worker& w) {
        Outcome out;
        const Archive::Opened opened = w.local.open(folder, Archive::Access::Read);
        if (!opened.ok()) {
            out.ok = opened.state == Archive::State::Missing;
            out.local = true;
            out.error = opened.error;
        } else {
            const std::vector<qint64> ids = w.local.pending(upTo, skip);
            out.waiting = int(ids.size());
            for (size_t i = 0; i < ids.size() && w.reach(connection, out); ++i) {
                if (QThread::currentThread()->isInterruptionRequested())
                    break;
                const std::optional<Series> s = w.local.series(ids[i]);
                if (!s) // deleted meanwhile
                    continue;
                const ServerArchive::Put put = w.server.upload(*s, w.local.readings(ids[i]));
                if (put == ServerArchive::Put::Failed) {
                    out.ok = false;
                    out.error = w.server.lastError();
                    break;
                }
                --out.waiting;
                out.added += put == ServerArchive::Put::Added;
                const QList<qint64> done{ids[i]};
                QMetaObject::invokeMethod(
                    this, [this, done] { emit uploaded(done); }, Qt::QueuedConnection);
            }
        }
        w.local.close();
        QMetaObject::invokeMethod(
            this, [this, out] { passDone(out); }, Qt::QueuedConnection);
    });
}

void ServerUploader::passDone(const Outcome& outcome)
{
    m_busy = false;
    if (std::exchange(m_again, false))
        uploadPending(m_upTo, m_skip);
    emit passFinished(outcome);
}

void ServerUploader::requestList(const Filter& filter, int limit)
{
    post([this, filter, limit, connection = m_connection](Worker& w) {
        Outcome out;
        std::vector<ListEntry> entries;
        if (w.reach(connection, out)) {
            entries = w.server.list(filter, limit);
            if (!w.server.lastError().isEmpty() && entries.empty()) {
                out.ok = false;
                out.error = w.server.lastError();
                w.server.close();
            }
        }
        QMetaObject::invokeMethod(
            this, [this, entries = std::move(entries), out] { emit listed(entries, out); }, Qt::QueuedConnection);
    });
}

void ServerUploader::requestSeries(qint64 serverId)
{
    post([this, serverId, connection = m_connection](Worker& w) {
        Outcome out;
        std::optional<Series> s;
        std::vector<Reading> readings;
        if (w.reach(connection, out)) {
            s = w.server.series(serverId);
            if (s)
                readings = w.server.readings(serverId);
            else {
                out.ok = false;
                out.error = w.server.lastError();
                w.server.close();
            }
        }
        QMetaObject::invokeMethod(
            this,
            [this, s = s.value_or(Series{}), readings = std::move(readings), out] { emit fetched(s, readings, out); },
            Qt::QueuedConnection);
    });
}

} // namespace archive
