#pragma once

#include "Sandbox.h"
#include "ScriptedDialogs.h"
#include "shell/AppState.h"
#include "shell/TextFile.h"
#include "shell/TransferShell.h"

#include <memory>

// The program's logic for one edition in a sandbox, without windows: state, shell and scripted dialogs.
// Make it before a serial layer, so the layer looks at the sandbox's settings folder.
struct Program {
    testsupport::Sandbox sandbox;
    testsupport::ScriptedDialogs dialogs;
    shell::AppState st;
    std::unique_ptr<shell::TransferShell> shell;

    // `konfi` is an edition code ("RD") or, when it has lines, the whole Konfi.ini.
    explicit Program(const QString& konfi, const QByteArray& locale = "en_US.UTF-8") : sandbox(locale)
    {
        sandbox.writeKonfi(konfi.contains(QLatin1Char('\n')) ? konfi : konfi + QStringLiteral("\n#\n"));
        st.appPath = sandbox.appDir();
        st.dialogs = &dialogs;
        shell = std::make_unique<shell::TransferShell>(st);
    }

    // Start-up with the port list made by a link session.
    template <class Link> void start(Link& link)
    {
        shell->hooks().enumeratePorts = [&link] { link.enumeratePorts(); };
        shell->startup();
    }

    QString log() const { return shell::TextFile::decode(testsupport::Sandbox::readFile(st.log.path())); }
    QStringList logLines() const { return log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts); }
    QString appData(const QString& folder) const { return sandbox.config() + QStringLiteral("/Varnotek/") + folder; }
    shell::FormState& main() { return st.main(); }
};
