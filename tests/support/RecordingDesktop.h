#pragma once

#include "shell/Desktop.h"

#include <QStringList>

namespace testsupport {

// The desktop as tests see it: the clipboard is a string, opened documents are recorded and succeed unless told.
class RecordingDesktop : public shell::Desktop
{
public:
    void clearClipboard() override
    {
        clipboard.clear();
        ++clipboardClears;
    }
    void setClipboardText(const QString& text) override { clipboard = text; }
    bool openDocument(const QString& path, QString& error) override
    {
        opened << path;
        error = openError;
        return openError.isEmpty();
    }

    QString clipboard;
    int clipboardClears = 0;
    QStringList opened;
    QString openError; // not empty: opening fails with this reason
};

} // namespace testsupport
