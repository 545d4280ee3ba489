#pragma once

#include "Series.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace archive {

// Every measurement series kept in one SQLite file, Archiv.sqlite in the measurement data folder. All of the SQL
// lives behind this class. A connection belongs to the thread that opened it: use one object per thread.
//
// One writer at a time: a writer holds Archiv.sqlite.lock beside the file for as long as it is open (the program's
// single-instance lock keeps a second program out; the command-line tool waits for it or gives up). Readers take
// no lock: the write-ahead log lets them read while the writer commits.
class Archive
{
public:
    static constexpr int kSchemaVersion = 3;
    static QString fileName() { return QStringLiteral("Archiv.sqlite"); }

    enum class Access { Write, Read };
    enum class State {
        Open,
        Missing,    // reading, and no archive was ever written
        Busy,       // another writer holds it
        Unwritable, // the file or its folder cannot be written (or, reading, read)
        Damaged,    // not a database or corrupt; a writer has set it aside and begun a new one
        TooNew,     // made by a later program: left alone
    };
    struct Opened {
        State state = State::Open;
        QString error;    // the system's description when the state is not Open
        QString setAside; // where a damaged archive was moved, "" when none was
        bool ok() const { return state == State::Open; }
    };

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens folder/Archiv.sqlite; a writer creates it, migrates it to upToVersion (tests ask for older schemas) and
    // sets a damaged one aside under a new name before beginning a new one. waitMs: how long a writer waits for
    // another writer.
    Opened open(const QString& folder, Access access = Access::Write, int waitMs = 0, int upToVersion = kSchemaVersion);
    void close();
    bool isOpen() const;
    QString path() const;
    int schemaVersion() const;
    // The system's description of the last failure.
    QString lastError() const;
    // The last failure said the file is damaged (a writer then reopens, which sets it aside).
    bool lastErrorDamaged() const;

    // A whole series and its readings in one transaction; its id, 0 on failure.
    qint64 add(const Series& series, const std::vector<Reading>& readings);
    // A series whose readings follow one at a time (online).
    qint64 begin(const Series& series);
    // One reading at index (0, 1, ...) with the series' figures (count, mean, unit, verdict, end) in one small
    // transaction: once this returns true the reading survives the program being killed.
    bool append(const Series& series, int index, const Reading& reading);
    // A file the series was saved to.
    bool addFile(qint64 id, const QString& path, const QDateTime& when);
    bool remove(qint64 id);

    // Newest first.
    std::vector<ListEntry> list(const Filter& filter) const;
    std::optional<Series> series(qint64 id) const;
    std::vector<Reading> readings(qint64 id) const;
    QStringList files(qint64 id) const;

    // The series up to upTo that the server does not have yet, oldest first (a version after the one it
    // replaced), without skip (the series still being measured).
    std::vector<qint64> pending(qint64 upTo, qint64 skip) const;
    bool markUploaded(const QList<qint64>& ids);
    // The newest series' id (0: none).
    qint64 lastId() const;

    // The highest index a series' readings can have.
    static constexpr int kMaxIndex = (1 << 13) - 1;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace archive
