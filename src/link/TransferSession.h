#pragma once

#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <QObject>

#include <memory>

namespace table {
class TableSession;
}
namespace reports {
class ExportSession;
}

namespace instrument {

class LinkSession;
class MemoryReader;
class QtSerialLayer;

// The whole program without its windows: state, shell, table, export, serial line, connection and memory read,
// wired to each other once. The main window and the command-line tool both drive this same object, so they run
// the same code paths; each adds only its own front end (widgets, or standard output).
class TransferSession : public QObject
{
    Q_OBJECT
public:
    explicit TransferSession(QObject* parent = nullptr);
    ~TransferSession() override;

    shell::AppState& state() { return m_st; }
    shell::TransferShell& shell() { return *m_shell; }
    table::TableSession& table() { return *m_table; }
    reports::ExportSession& exporter() { return *m_export; }
    LinkSession& link() { return *m_link; }
    MemoryReader& reader() { return *m_reader; }

private:
    shell::AppState m_st;
    std::unique_ptr<shell::TransferShell> m_shell;
    table::TableSession* m_table = nullptr;
    reports::ExportSession* m_export = nullptr;
    QtSerialLayer* m_layer = nullptr;
    LinkSession* m_link = nullptr;
    MemoryReader* m_reader = nullptr;
};

} // namespace instrument
