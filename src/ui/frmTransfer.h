#pragma once

#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <QMainWindow>

class QTableView;

namespace table {
class TableSession;
}
namespace instrument {
class LinkSession;
}
namespace session {
class TransferSession;
}
namespace reports {
class ExportSession;
}

class QBoxLayout;
class QGroupBox;

namespace ui {

class FormBinder;
class WindowIcons;
class frmWait;
class frmInfo;
class frmVerlauf;

// The main window: builds the controls under their object names and binds them to the logic.
class frmTransfer : public QMainWindow
{
    Q_OBJECT
public:
    // The window drives the session it is given; the session's program folder (edition.appPath) and its
    // dialogs are set by whoever made it.
    explicit frmTransfer(session::TransferSession& session, QWidget* parent = nullptr);
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
    QWidget* buildLeftColumn(QWidget* central, int em);
    QGroupBox* buildPortFrame(QWidget* leftPanel);
    QGroupBox* buildTableFrame(QWidget* central, int em);
    QBoxLayout* buildRightColumn(QWidget* central, int em);
    void addCommandFrames(QWidget* central, QBoxLayout* right);
    void buildMenus();
    void wireHandlers();
    void applyDisplayLook();
    void fitToScreen();
    void requestQuit();
    // Each subsystem binds its controls to its part of the session in a file of its own
    // (frmTransfer_<subsystem>.cpp); the logic is wired to itself in instrument::TransferSession.
    void wireTable();
    void wireLink();
    void wireExport();
    void wireChart();

    session::TransferSession* m_session;
    shell::AppState& m_st;
    shell::TransferShell* m_shell;
    FormBinder* m_binder = nullptr;
    frmWait* m_wait = nullptr;
    frmInfo* m_info = nullptr;
    frmVerlauf* m_verlauf = nullptr;
    WindowIcons* m_icons = nullptr;
    bool m_quitRequested = false;
    table::TableSession* m_table = nullptr;
    instrument::LinkSession* m_link = nullptr;
    reports::ExportSession* m_export = nullptr;
};

} // namespace ui
