#pragma once

#include "AppState.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace shell {

// Start-up, settings, language switch, menus and exit of the main window. What start-up and the menus need from
// the other subsystems and the windows is asked for through the signals below; the session connects them.
class TransferShell : public QObject
{
    Q_OBJECT
public:
    explicit TransferShell(AppState& st, QObject* parent = nullptr);
    ~TransferShell() override;

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

    void mnuHelp1_Click();
    void mnuInfo_Click();
    void mnuTastaturevent_Click();
    void mnuEnd_Click();
    void cmdEnde_Click() { mnuEnd_Click(); }
    void Form_QueryUnload();

    // Base folders of the data paths (machine-wide and per-user).
    static QString machineBase();
    static QString userBase();

signals:
    // Start-up: the port list is filled while the progress window shows (the link answers synchronously); then
    // the saved port is in the port box and is checked against the list.
    void portListRequested();
    void savedPortLoaded();
    // Start-up and language switch: the table's layout and headings, its statistics, its option captions.
    void tableLayoutRequested();
    void statisticsResetRequested();
    void memoryOptionsRelabelRequested();
    void limitsCaptionRequested();
    // Language switch while connected: the current view is shown again in the new language.
    void viewRefreshRequested();
    // Start-up and language switch: the language in use (0 German, 1 English), for texts that are not the
    // program's own (the toolkit's standard buttons and dialogs).
    void languageChanged(int sprache);
    // Start-up with keystroke forwarding on: the receiving program is started.
    void keystrokeTargetStartRequested();
    // Menus.
    void infoWindowRequested();
    void tastaturDialogRequested();
    // Exit: the port is closed, then the program ends.
    void closePortRequested();
    void quitRequested();

private:
    void hideUntilNeeded();
    QString readEdition(const StartupOptions& options);
    void showEdition();
    QStringList applyBranding();
    QStringList makeDataFolders();
    void startLog(const StartupOptions& options, const QString& konfiError, const QStringList& setupErrors);
    void applyCapabilities();
    void showFrame();
    void showMemoryOptions();
    void loadUserSettings(const StartupOptions& options);
    void listPorts();
    void showIdle();

    void switchLanguage(int lang);
    void showLanguageChecks();

    AppState& m_st;
    std::unique_ptr<QLockFile> m_instanceLock;
};

} // namespace shell
