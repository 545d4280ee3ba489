#pragma once

#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "link/LinkSession.h"
#include "shell/AppState.h"
#include "shell/TextFile.h"
#include "shell/TransferShell.h"

#include <memory>

// The program's logic for one edition in a sandbox, without windows: state, shell and scripted dialogs.
// Make it before the serial layer, so the layer looks at the sandbox's settings folder.
struct Program {
    testsupport::Sandbox sandbox;
    testsupport::ScriptedDialogs dialogs;
    shell::AppState st;
    std::unique_ptr<shell::TransferShell> shell;

    explicit Program(const QString& edition)
    {
        sandbox.writeKonfi(edition + QStringLiteral("\n#\n"));
        st.appPath = sandbox.appDir();
        st.dialogs = &dialogs;
        shell = std::make_unique<shell::TransferShell>(st);
    }

    // Start-up with the port list made by the session.
    void start(instrument::LinkSession& link)
    {
        shell->hooks().enumeratePorts = [&link] { link.enumeratePorts(); };
        shell->startup();
    }

    QString log() const { return shell::TextFile::decode(testsupport::Sandbox::readFile(st.log.path())); }
    shell::FormState& main() { return st.main(); }
};
