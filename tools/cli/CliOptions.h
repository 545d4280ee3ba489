#pragma once

#include "CliHistory.h"
#include "ExportOptions.h"
#include "OptionScanner.h"
#include "RuleOptions.h"

#include "link/LinkSession.h"

#include <QString>
#include <QStringList>

// The command line of varnotek-cli.
struct CliOptions {
    enum class Command { None, Ports, Identify, Read, Online, Export, History, Help, Version };
    enum class Memory { All, First, Second };

    Command command = Command::None;
    QString edition;  // empty: line 1 of Konfi.ini
    int sprache = -1; // -1: Language.ini
    QString port;     // "COM7"
    QString outDir;
    Memory memory = Memory::All;
    int timeoutSeconds = instrument::LinkSession::kSilenceMs / 1000; // the program's silence limit
    int count = 0;                                                   // online: values to take; 0 = no limit
    int seconds = 0;                                                 // online: seconds to run; 0 = no limit
    // The export command's own arguments.
    ExportOptions exported;
    HistoryOptions history;
    bool archive = true; // read, online: keep the series in the archive (--no-archive: not)
    // read and online: the inspection rule given (export has its own in exported).
    RuleOptions rule;

    // False with the reason in error() for anything the usage does not allow.
    bool parse(const QStringList& arguments); // arguments[0] is the program name
    QString error() const { return m_error; }

    static QString usage();
    static QString helpText();

private:
    void lineOptions(OptionScanner& options);
    void runOptions(OptionScanner& options);
    bool wholeNumber(const QString& name, const QString& text, int min, int max, int& target);
    QString m_error;
};

// Exit status of varnotek-cli.
namespace CliExit {
constexpr int Ok = 0;
constexpr int Usage = 2;
constexpr int NotConnected = 3; // the port cannot be opened or the device is not available
constexpr int Timeout = 4;      // no complete answer in time
constexpr int WriteFailed = 5;  // an output file could not be written
constexpr int LineLost = 6;     // the line was lost or the gauge switched off during the run
// The input file cannot be read or is not a measurement file.
constexpr int InputUnreadable = 7;
constexpr int CountDiffered = 8; // a memory held another number of values than the gauge announced
// Data refused or cut short: an answer longer than any gauge's, an identification that cannot be read, values that
// are no numbers, rows beyond 5000; what could be taken is kept and written.
constexpr int Refused = 9;
} // namespace CliExit
