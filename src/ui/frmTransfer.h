#pragma once

#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <QMainWindow>

#include <memory>

class QTableView;

namespace table {
class TableSession;
}
namespace instrument {
class LinkSession;
class TransferSession;
}
namespace reports {
class ExportSession;
}

namespace ui {

class FormBinder;
class frmWait;
class frmInfo;
class QtDialogs;

// The main window: builds the controls under their object names and binds them to the logic.
class frmTransfer : public QMainWindow
{
    Q_OBJECT
public:
    // appPath: folder holding Konfi.ini and the pictures (default: the executable's folder).
    // dialogs: a replacement for the real dialogs (tests); nullptr uses real ones.
    explicit frmTransfer(const QString& appPath = QString(), shell::Dialogs* dialogs = nullptr,
                         QWidget* parent = nullptr);
    ~frmTransfer() override;

    // Runs the start-up sequence; false when another instance is already running.
    bool Form_Load();

    shell::AppState& state() { return m_st; }
    shell::TransferShell& shell() { return *m_shell; }
    frmWait* waitWindow() { return m_wait; }
    frmInfo* infoWindow() { return m_info; }
    bool quitRequested() const { return m_quitRequested; }
    table::TableSession* tableSession() { return m_table; }
    instrument::LinkSession* linkSession() { return m_link; }
    reports::ExportSession* exportSession() { return m_export; }

signals:
    void quitting();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void buildMenus();
    void wireHandlers();
    void applyDisplayLook();
    void requestQuit();
    // Each subsystem binds its controls to its part of the session in a file of its own
    // (frmTransfer_<subsystem>.cpp); the logic is wired to itself in instrument::TransferSession.
    void wireTable();
    void wireLink();
    void wireExport();

    instrument::TransferSession* m_session; // child of this window, made first
    shell::AppState& m_st;
    shell::TransferShell* m_shell;
    std::unique_ptr<QtDialogs> m_ownDialogs;
    FormBinder* m_binder = nullptr;
    frmWait* m_wait = nullptr;
    frmInfo* m_info = nullptr;
    bool m_quitRequested = false;
    table::TableSession* m_table = nullptr;
    instrument::LinkSession* m_link = nullptr;
    reports::ExportSession* m_export = nullptr;
};

} // namespace ui
