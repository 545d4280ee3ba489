#pragma once

#include "ExportOptions.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace archive {
class ServerArchive;
struct Series;
struct Reading;
} // namespace archive

namespace session {
class TransferSession;
}

// The command line of "varnotek-cli history list [--since DATE] [--until DATE] [--text T]",
// "history show ID" and "history export ID --to mes|txt|pdf|odt|xlsx|report --out PATH [--chart]".
struct HistoryOptions {
    enum class Action { List, Show, Export };
    Action action = Action::List;
    QDate since;
    QDate until;
    QString text;
    qint64 id = 0;
    bool server = false;    // the team's server (Server.ini) instead of this computer's archive
    bool mes = false;       // export --to mes: the file the program's Save writes
    ExportOptions exported; // the other targets, as export writes them

    bool parse(const QStringList& arguments, QString& edition, int& sprache, QString& error);
    static bool named(int argc, char** argv);
};

// varnotek-cli history: the archive of the data folder, read without writing to it. export lays the series out with
// the project data, limits and rule settings it was kept with, so the file equals what the program wrote then.
class CliHistory
{
public:
    CliHistory(session::TransferSession& session, const HistoryOptions& options);
    int run();

private:
    int openLocal();
    int list();
    int show();
    int exportSeries();
    void out(const QString& line) const;
    void err(const QString& line) const;
    // From the server or this computer's archive.
    std::optional<archive::Series> seriesOf(qint64 id) const;
    std::vector<archive::Reading> readingsOf(qint64 id) const;

    session::TransferSession& m_session;
    HistoryOptions m_options;
    std::shared_ptr<archive::ServerArchive> m_server;
};
