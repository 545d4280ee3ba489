#pragma once

#include "FakeLine.h"
#include "RecordingDesktop.h"
#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "export/MesReader.h"
#include "session/TransferSession.h"
#include "shell/AppState.h"
#include "shell/TransferShell.h"

#include <memory>

// The whole program for one edition in a sandbox, without windows: the session as the program builds it, with
// scripted dialogs, a recording desktop and a serial line that is either a scripted fake or the real one (for the
// simulator). Tests and benchmarks get their sessions from here.
struct Program {
    enum class Line { Fake, Real };

private:
    std::unique_ptr<testsupport::Sandbox> m_ownSandbox;

public:
    testsupport::Sandbox& sandbox;
    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingDesktop desktop;
    std::unique_ptr<session::TransferSession> session;
    shell::AppState& st;
    shell::TransferShell* shell;

    // `konfi` is an edition code ("RD") or, when it has lines, the whole Konfi.ini. The sandbox is in place before
    // the serial layer is made, so the layer looks at the sandbox's Ports.ini.
    explicit Program(const QString& konfi, const QByteArray& locale = "en_US.UTF-8", Line line = Line::Fake);
    // The program in a sandbox that the test made (for example one that a child process shares).
    Program(testsupport::Sandbox& sandbox, const QString& konfi, Line line);

    // Start-up as the main window runs it.
    bool start();

    FakeLine& line() { return dynamic_cast<FakeLine&>(session->layer()); } // only with Line::Fake
    table::TableSession& table() { return session->table(); }
    reports::ExportSession& exporter() { return session->exporter(); }
    instrument::LinkSession& link() { return session->link(); }
    instrument::MemoryReader& reader() { return session->reader(); }

    // Chooses COM<com> in the port box and presses "Verbinden".
    void connect(int com);
    // The rows of a .mes file as "Datei öffnen" reads them.
    static std::vector<reports::MesReader::Row> mesRows(const QString& path);

    QString log() const;
    QStringList logLines() const;
    QString appData(const QString& folder) const { return sandbox.config() + QStringLiteral("/Varnotek/") + folder; }
    shell::FormState& main() { return st.main(); }

private:
    static std::unique_ptr<session::TransferSession> make(Program& p, const QString& konfi, Line line);
};
