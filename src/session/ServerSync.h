#pragma once

#include "archive/ServerUploader.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace shell {
struct AppState;
}

namespace session {

class ArchiveRecorder;

// Keeps the team's server up to date with this computer's archive when Server.ini names a server: at start,
// after each series, and every few minutes, in the background. Holds what waits and the last failure for the
// history window.
class ServerSync : public QObject
{
    Q_OBJECT
public:
    static QString fileName() { return QStringLiteral("Server.ini"); }
    static constexpr int kDefaultMinutes = 3;

    ServerSync(shell::AppState& st, ArchiveRecorder& recorder, QObject* parent = nullptr);

    // The connection line of Server.ini in the settings folder ("": no server) and its minutes between passes.
    static QString connectionOf(const QString& appDataPath, int* minutes = nullptr);
    // Reads Server.ini (connection;minutes;) and begins.
    void start();
    bool configured() const { return !m_uploader.connection().isEmpty(); }
    archive::ServerUploader& uploader() { return m_uploader; }

    // Uploads what waits, except the series an online run is still adding to.
    void uploadNow();
    void markUploaded(const QList<qint64>& ids);
    void passFinished(const archive::ServerUploader::Outcome& outcome);

    int waiting() const { return m_waiting; }
    // What waits and the last failure, in the program's language ("" without a server).
    QString statusText() const;
    // An outcome's failure in words.
    static QString describe(const archive::ServerUploader::Outcome& outcome, int sprache);

signals:
    void statusChanged();

private:
    shell::AppState& m_st;
    ArchiveRecorder& m_recorder;
    archive::ServerUploader m_uploader;
    QTimer m_timer;
    int m_waiting = 0;
    archive::ServerUploader::Outcome m_failure; // the last pass that failed
    QDateTime m_failedAt;
    unsigned m_told = 0; // the kinds of failure already shown this run
};

} // namespace session
