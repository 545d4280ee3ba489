#pragma once

#include "link/SerialLayer.h"
#include "shell/AppState.h"
#include "table/KeySender.h"

#include <QObject>

#include <memory>

namespace shell {
class TransferShell;
}
namespace table {
class TableSession;
class TastaturForm;
class TastaturSender;
} // namespace table
namespace reports {
class ExportSession;
}
namespace instrument {
class LinkSession;
class MemoryReader;
class OnlineReceiver;
} // namespace instrument

namespace session {

class ArchiveRecorder;
class ServerSync;

// The whole program without its windows: the state and one object of each subsystem, connected to each other
// here and nowhere else. The main window and the command-line tool each build one and drive it; they add only
// their own front end (widgets, or standard output).
class TransferSession : public QObject
{
    Q_OBJECT
public:
    // What follows a successful connect: the program reads all memories; the command-line tool may ask for one
    // memory or none.
    enum class AfterConnect { ReadAll, ReadMemory1, ReadMemory2, Nothing };

    // dialogs and desktop are the front end's and must outlive the session. Without a serial layer the real one
    // (QSerialPort, the COM table and Ports.ini) is used; without a key sender, typing through X11.
    TransferSession(shell::Dialogs& dialogs, shell::Desktop& desktop,
                    std::unique_ptr<instrument::SerialLayer> layer = nullptr,
                    std::unique_ptr<table::KeySender> keys = nullptr, QObject* parent = nullptr);
    ~TransferSession() override;

    shell::AppState& state() { return m_st; }
    shell::TransferShell& shell() { return *m_shell; }
    table::TableSession& table() { return *m_table; }
    reports::ExportSession& exporter() { return *m_export; }
    instrument::LinkSession& link() { return *m_link; }
    instrument::MemoryReader& reader() { return *m_reader; }
    instrument::OnlineReceiver& online() { return *m_online; }
    instrument::SerialLayer& layer() { return *m_layer; }
    table::TastaturForm& tastaturForm() { return *m_tastaturForm; }
    table::TastaturSender& tastaturSender() { return *m_tastaturSender; }
    ArchiveRecorder& archive() { return *m_archive; }
    ServerSync& server() { return *m_server; }

    void setAfterConnect(AfterConnect what) { m_afterConnect = what; }

private:
    void connectShell();
    void connectLink();
    void connectReader();
    void connectOnline();
    void connectKeystrokes();
    void connectArchive();
    void connectExport();
    void connectServer();
    void sendOnlineRow(int row);
    void saveOnlineView(int view);
    void readAfterConnect();

    shell::AppState m_st;
    AfterConnect m_afterConnect = AfterConnect::ReadAll;
    std::unique_ptr<instrument::SerialLayer> m_layer;
    std::unique_ptr<table::KeySender> m_keys;
    shell::TransferShell* m_shell;
    table::TableSession* m_table;
    reports::ExportSession* m_export;
    instrument::LinkSession* m_link;
    instrument::MemoryReader* m_reader;
    instrument::OnlineReceiver* m_online;
    table::TastaturForm* m_tastaturForm;
    table::TastaturSender* m_tastaturSender;
    ArchiveRecorder* m_archive;
    ServerSync* m_server;
};

} // namespace session
