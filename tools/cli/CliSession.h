#pragma once

#include "CliOptions.h"
#include "StderrDialogs.h"

#include "shell/AppState.h"
#include "shell/SystemDesktop.h"
#include "shell/TransferShell.h"

#include <QDeadlineTimer>
#include <QString>

#include <memory>

namespace instrument {
class LinkSession;
class MemoryReader;
} // namespace instrument
namespace session {
class TransferSession;
}
namespace table {
class TableSession;
}
namespace reports {
class ExportSession;
}

// One run of varnotek-cli: the program's session (the same one the main window drives), without widgets; the
// command drives it through the program's own handlers.
class CliSession
{
public:
    explicit CliSession(const CliOptions& options);
    ~CliSession();

    // Runs the command and returns the exit status.
    int run();

    shell::AppState& state() { return m_st; }

private:
    void startup();
    int ports();
    int identify();
    int read();
    int online();
    // Chooses the port as the port box does and runs the connect button. Exit status when it did not connect.
    int connect();
    int notConnected();
    int timedOut();
    int refused();
    // Shows memory view 0 or 1 as its option button does, prints its statistics and saves it. False when the
    // file could not be written.
    bool saveView(int view);

    void out(const QString& line) const;
    void err(const QString& line) const;
    QString say(shell::Phrase phrase) const;

    CliOptions m_options;
    QDeadlineTimer m_deadline = QDeadlineTimer::Forever; // --seconds, from the start of the command
    StderrDialogs m_dialogs;
    shell::SystemDesktop m_desktop;
    std::unique_ptr<session::TransferSession> m_session;
    shell::AppState& m_st;
    shell::TransferShell* m_shell;
    table::TableSession* m_table;
    reports::ExportSession* m_export;
    instrument::LinkSession* m_link;
    instrument::MemoryReader* m_reader;
};
