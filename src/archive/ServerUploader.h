#pragma once

#include "Series.h"
#include "ServerArchive.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace archive {

// Brings the series of this computer's archive to the team's server, and reads the server, on a thread of its
// own with connections of its own: a slow or absent server never holds up the window or an online run. The
// answers arrive as signals on the thread that made this object.
class ServerUploader : public QObject
{
    Q_OBJECT
public:
    explicit ServerUploader(QObject* parent = nullptr);
    ~ServerUploader() override;

    // The folder of Archiv.sqlite and the server's connection ("": no server).
    void setPlaces(const QString& localFolder, const QString& connection);
    QString connection() const { return m_connection; }

    // Uploads the series that wait, up to the id upTo (later ones may still be growing) and without skip (the
    // series being measured). A request while a pass runs makes one more pass after it.
    void uploadPending(qint64 upTo, qint64 skip);
    bool busy() const { return m_busy; }

    void requestList(const Filter& filter, int limit);
    void requestSeries(qint64 serverId);

    // A pass's outcome. failure: the state the server was in when it stopped (Open when the upload itself failed,
    // with error); waiting: the series still waiting.
    struct Outcome {
        bool ok = true;
        ServerArchive::State state = ServerArchive::State::Open;
        int serverVersion = 0;
        QString error;
        int waiting = 0;
        int added = 0;
        bool local = false; // it was this computer's archive that could not be read
    };

signals:
    // These series of this computer are on the server now.
    void uploaded(const QList<qint64>& localIds);
    void passFinished(const archive::ServerUploader::Outcome& outcome);
    void listed(const std::vector<archive::ListEntry>& entries, const archive::ServerUploader::Outcome& outcome);
    void fetched(const archive::Series& series, const std::vector<archive::Reading>& readings,
                 const archive::ServerUploader::Outcome& outcome);

private:
    struct Worker;
    void post(std::function<void(Worker&)> job);
    void passDone(const Outcome& outcome);

    QThread* m_thread;
    QObject* m_context; // lives on the thread; jobs run in its events
    std::shared_ptr<Worker> m_worker;
    QString m_folder;
    QString m_connection;
    bool m_busy = false;
    bool m_again = false;
    qint64 m_upTo = 0;
    qint64 m_skip = 0;
};

} // namespace archive
