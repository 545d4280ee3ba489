#pragma once

#include "Desktop.h"

namespace shell {

// The real desktop: the system clipboard (when there is a GUI application) and xdg-open with its exit status
// checked, since QDesktopServices reports success even when xdg-open fails.
class SystemDesktop : public Desktop
{
public:
    void clearClipboard() override;
    void setClipboardText(const QString& text) override;
    bool openDocument(const QString& path, QString& error) override;

    // The opener program; tests and unusual desktops may point it elsewhere.
    QString opener = QStringLiteral("xdg-open");
    // How long xdg-open is waited for; one still running then has handed the file to a program.
    int timeoutMs = 10000;
};

} // namespace shell
