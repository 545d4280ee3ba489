#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// What an installer would do for each user on Windows, done by the program itself on every start: make the data
// folders, give a new Projekt.ini six labels and copy the installed manuals where Help -> Manual looks for them.
// Existing files are never touched, so a user's own labels and files survive every start.
class FirstStart
{
public:
    struct Folders {
        QString AppDataPath;   // settings, log, manuals
        QString MessDataPath;  // Projekt.ini, measurement files
        QString programFolder; // Konfi.ini, pictures, the installed manuals
    };

    struct Result {
        QStringList created; // paths of folders and files made by this run
        QStringList failed;  // "path: reason" for each one that could not be made
        bool ok() const { return failed.isEmpty(); }
    };

    static Result run(const Folders& folders);

    // The six labels of a new Projekt.ini, "German;English;" each.
    static const QStringList& defaultLabels();

    // File name filters of the manuals ("DE_Manual_*_TRANSFER.pdf", "EN_Manual_*_TRANSFER.pdf").
    static const QStringList& manualPatterns();
};

} // namespace shell
