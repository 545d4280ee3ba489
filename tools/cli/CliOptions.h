#pragma once

#include "ExportOptions.h"

#include <QString>
#include <QStringList>

// The command line of varnotek-cli.
struct CliOptions {
    enum class Command { None, Ports, Identify, Read, Export, Help, Version };
    enum class Memory { All, First, Second };

    Command command = Command::None;
    QString edition;        // empty: line 1 of Konfi.ini
    int sprache = -1;       // -1: Language.ini
    QString port;           // "COM7"
    QString outDir;
    Memory memory = Memory::All;
    int timeoutSeconds = 60;
    // The export command's own arguments.
    ExportOptions exported;

    // False with the reason in error() for anything the usage does not allow.
    bool parse(const QStringList& arguments); // arguments[0] is the program name
    QString error() const { return m_error; }

    static QString usage();
    static QString helpText();

private:
    QString m_error;
};

// Exit status of varnotek-cli.
namespace CliExit {
constexpr int Ok = 0;
constexpr int Usage = 2;
constexpr int NotConnected = 3; // the port cannot be opened or the device is not available
constexpr int Timeout = 4;      // no complete answer in time
constexpr int WriteFailed = 5;  // an output file could not be written
// The input file cannot be read or is not a measurement file.
constexpr int InputUnreadable = 7;
} // namespace CliExit
