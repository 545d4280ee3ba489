#pragma once

#include "Series.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace archive {

// The team's archive on a PostgreSQL server (schema: docs/archive-server.sql). Series are only added and read:
// the inspectors' role may do nothing else. A connection belongs to the thread that opened it.
class ServerArchive
{
public:
    static constexpr int kSchemaVersion = 1;

    enum class State {
        Open,
        NoDriver,    // Qt's PostgreSQL driver is not installed
        Unreachable, // no server, no network, a refused TLS handshake
        Refused,     // the server does not let this user in (password, certificate, no such role)
        WrongSchema, // the database holds no team archive, or one of another version
    };
    struct Opened {
        State state = State::Open;
        QString error;         // the server's or libpq's description
        int serverVersion = 0; // WrongSchema: the version found (0: none)
        bool ok() const { return state == State::Open; }
    };
    enum class Put { Added, Present, Failed };

    ServerArchive();
    ~ServerArchive();
    ServerArchive(const ServerArchive&) = delete;
    ServerArchive& operator=(const ServerArchive&) = delete;

    // connection: a libpq connection string ("host=... dbname=... user=... sslmode=..."), a postgresql:// URI,
    // or the name of a service in the service file. Passwords come from libpq's own places (~/.pgpass ...).
    Opened open(const QString& connection);
    void close();
    bool isOpen() const;
    QString lastError() const;

    // Adds a series and its readings in one transaction, keyed by series.uid: Present when the server had it.
    // Failed closes the connection when it was lost.
    Put upload(const Series& series, const std::vector<Reading>& readings);

    // Newest first, the newest limit of them; ids are the server's.
    std::vector<ListEntry> list(const Filter& filter, int limit) const;
    std::optional<Series> series(qint64 id) const;
    std::vector<Reading> readings(qint64 id) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace archive
