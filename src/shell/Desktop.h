#pragma once

#include <QString>

namespace shell {

// What the logic asks of the desktop: the clipboard and opening documents with their usual program. The program
// uses SystemDesktop; tests replace it and record what was asked.
class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Opens a file with the desktop's program for its type. False, with the reason in error, when that failed.
    virtual bool openDocument(const QString& path, QString& error) = 0;

    // Why the last openDocument failed, so that a message can name the cause the user can act on.
    enum class Failure { None, NoFile, NoProgram, ProgramFailed };
    Failure lastFailure = Failure::None;
};

} // namespace shell
