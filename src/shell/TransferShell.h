#pragma once

#include "AppState.h"

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

namespace shell {

// Calls from the shell into the later subsystems and the front end. Unset hooks do nothing.
struct ShellHooks {
    std::function<void()> enumeratePorts;         // fills ComboPort while frmWait shows progress
    std::function<void()> TabelleFormatieren;     // lays out the measurement table
    std::function<void()> StatistikZuruecksetzen; // clears the statistics
    std::function<void()> relabelMemoryOptions;   // optFE/optNFE captions after a language switch
    std::function<void()> GrenzwerteAnzeigen;     // caption of the limits button
    std::function<void()> AnsichtAktualisieren;   // re-shows the current view
    std::function<void()> startKeystrokeTarget;   // starts the program that receives keystrokes
    std::function<void()> clearClipboard;
    std::function<void()> showInfoWindow;         // frmInfo
    std::function<void()> showTastaturDialog;     // frmTastatur, not modal
    std::function<void()> closePort;              // closes the serial port if it is open
    std::function<void()> quit;                   // unloads the main window and ends the program
    std::function<bool(const QString&)> openDocument; // opens a file with the desktop's viewer
};

// Start-up, settings, language switch, command state, menus and exit of the main window.
class TransferShell
{
public:
    static const QStringList& commandControls(); // the 21 controls governed together

    TransferShell(AppState& st, ShellHooks hooks = {});

    ShellHooks& hooks() { return m_hooks; }

    // What a start-up without the main window (the command-line tool) leaves out or puts in place of a file.
    struct StartupOptions {
        bool singleInstance = true; // end at once when another instance runs
        bool startLog = true;       // empty the transfer log and write its opening lines (error lines are written)
        QString edition;            // not empty: stands in for line 1 of Konfi.ini
        int sprache = -1;           // 0 or 1: stands in for Language.ini
    };

    // Runs the start-up sequence. Returns false when another instance runs: then nothing else was done.
    bool startup() { return startup(StartupOptions()); }
    bool startup(const StartupOptions& options);

    void Voreinstellungen(const QString& aktion);

    void ApplyCaptions();
    void English_Click() { switchLanguage(1); }
    void German_Click() { switchLanguage(0); }

    void DisableCommands();
    void EnableCommands();

    void mnuHelp1_Click();
    void mnuInfo_Click();
    void mnuTastaturevent_Click();
    void mnuEnd_Click();
    void cmdEnde_Click() { mnuEnd_Click(); }
    void Form_QueryUnload();

    // Base folders of the data paths (machine-wide and per-user).
    static QString machineBase();
    static QString userBase();

private:
    void switchLanguage(int lang);
    void showLanguageChecks();
    void call(const std::function<void()>& f) const
    {
        if (f)
            f();
    }

    AppState& m_st;
    ShellHooks m_hooks;
    std::unique_ptr<QLockFile> m_instanceLock;
};

} // namespace shell
