#pragma once

#include "archive/Archive.h"

#include <QObject>
#include <QString>

#include <array>
#include <vector>

namespace shell {
struct AppState;
}
namespace table {
class TableSession;
}
namespace reports {
class ExportSession;
}

namespace session {

// Keeps every series the program shows in the archive, without being asked: each memory read when its records are
// in the table, each online value when its row appears, each file opened, and a new version of a series when its
// rows are edited. Saving a series to a file notes the file with it. The archive failing costs one message; the
// program measures and saves files as before.
class ArchiveRecorder : public QObject
{
    Q_OBJECT
public:
    ArchiveRecorder(shell::AppState& st, table::TableSession& table, reports::ExportSession& exporter,
                    QObject* parent = nullptr);
    ~ArchiveRecorder() override;

    // Off: nothing is kept and the archive is not opened (varnotek-cli --no-archive, and its commands that only
    // look at files).
    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    // How long opening waits for another writer (the command-line tool waits; the program does not).
    void setLockWait(int ms) { m_lockWait = ms; }

    // Opens the archive of the measurement data folder unless it is open; a failure is told once.
    bool ensureOpen();
    archive::Archive& archive() { return m_archive; }
    // The series a view's rows are kept as (0: none).
    qint64 current(int view) const;
    // The series an online run is still adding to (0: none).
    qint64 runningSeries() const;

    // Opens a kept series into the table, into the view of its kind, as "Datei öffnen" opens a file; false when
    // there is no such series. Later edits of the view become new versions of it.
    bool openSeries(qint64 id);
    // The same for a series read from the team's server (it stays there; edits are not kept as versions).
    void openSeries(const archive::Series& series, const std::vector<archive::Reading>& readings);
    bool deleteSeries(qint64 id);

    // Texts of the history list and the command-line tool, by language.
    static QString kindText(int sprache, archive::Kind kind, int version);
    static QString verdictText(int sprache, const QString& verdict);
    // "2024-05-17 14:03" in the list; the date a --since or --until names.
    static QString timeText(const QDateTime& t);

    // The hand-overs from the session's wiring.
    void memoryTransferStarting(int view);
    void memoryDecoded();
    void onlineRunStarted();
    void rowAppended(int view, int row);
    void rowsChanged(int view);
    void fileLoaded(int view, const QString& path);
    void fileSaved(int view, const QString& path);

signals:
    // A series was added or deleted (not each online value): the history list is to be read again.
    void listChanged();
    // An online value was kept: its series' figures as they are now.
    void seriesGrew(qint64 id, int count, double mean, const QString& unit, const QString& verdict);

private:
    archive::Series head(archive::Kind kind, int view) const;
    archive::Settings snapshot(int view) const;
    std::vector<archive::Reading> rowsOf(int view) const;
    archive::Reading readingOf(int view, int row) const;
    // Adds a whole series; it becomes the view's current one.
    qint64 keep(archive::Series series, const std::vector<archive::Reading>& readings, int view);
    void summarise(archive::Series& series, const std::vector<archive::Reading>& readings) const;
    void failed();
    void show(const archive::Series& series, const std::vector<archive::Reading>& readings, bool local);
    bool reopenIfDamaged();
    // Each kind of trouble is told once a run.
    enum class Told : unsigned { Damaged = 1, Busy = 2, TooNew = 4, Unwritable = 8 };
    void tell(Told what, const QString& text);

    shell::AppState& m_st;
    table::TableSession& m_table;
    reports::ExportSession& m_export;
    archive::Archive m_archive;
    bool m_enabled = true;
    int m_lockWait = 0;
    unsigned m_told = 0; // the kinds of trouble told
    std::array<qint64, 3> m_current{};
    int m_memoryView = -1; // a memory read into this view is under way

    // The online series being written value by value.
    struct Running;
    std::unique_ptr<Running> m_online;
    bool m_onlineRefused = false; // the archive failed during this run: its later values are not tried
};

} // namespace session
