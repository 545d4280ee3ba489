#pragma once

#include "AnswerTimeout.h"
#include "CliOptions.h"
#include "StderrDialogs.h"

#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <QString>

#include <memory>

namespace instrument {
class LinkSession;
class MemoryReader;
class QtSerialLayer;
} // namespace instrument
namespace table {
class TableSession;
}
namespace reports {
class ExportSession;
}

// One run of varnotek-cli: the program's state, shell, link, table and export sessions wired as the main window
// wires them, but without widgets; the command drives them through the program's own handlers.
class CliSession
{
public:
    explicit CliSession(const CliOptions& options);
    ~CliSession();

    // Runs the command and returns the exit status.
    int run();

    shell::AppState& state() { return m_st; }

private:
    void wire();
    void startup();
    int ports();
    int identify();
    int read();
    // Chooses the port as the port box does and runs the connect button. Exit status when it did not connect.
    int connect();
    int notConnected();
    int timedOut();
    // Shows memory view 0 or 1 as its option button does, prints its statistics and saves it. False when the
    // file could not be written.
    bool saveView(int view);

    void out(const QString& line) const;
    void err(const QString& line) const;
    QString say(const char* de, const char* en) const;

    CliOptions m_options;
    shell::AppState m_st;
    StderrDialogs m_dialogs;
    std::unique_ptr<shell::TransferShell> m_shell;
    instrument::QtSerialLayer* m_layer = nullptr;
    instrument::LinkSession* m_link = nullptr;
    instrument::MemoryReader* m_reader = nullptr;
    table::TableSession* m_table = nullptr;
    reports::ExportSession* m_export = nullptr;
    std::unique_ptr<QObject> m_owner; // parent of the sessions
    std::unique_ptr<AnswerTimeout> m_timeout;
};
