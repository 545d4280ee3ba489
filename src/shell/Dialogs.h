#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace shell {

// Every message box, file dialog and printer choice goes through this interface, so logic runs
// without a screen and tests script the answers.
class Dialogs
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // title empty means the application title.
    virtual Answer messageBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                              const QString& title = QString()) = 0;

    // Shows a box that does not wait for the user: for what is told while values keep arriving (an online run),
    // where a waiting box would hold up everything behind it.
    virtual void notify(const QString& text, Icon icon = Icon::None, const QString& title = QString()) = 0;

    // Both return an empty path when the user cancels.
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString saveFile(const QString& title, const QString& folder, const QString& filter) = 0;

    // Lets the user pick a printer (or a file to print to); nullptr when cancelled. The device belongs to the front
    // end and stays valid until the next call.
    virtual QPagedPaintDevice* choosePrinter() = 0;

    // Application title shown by message boxes without a title of their own.
    QString applicationTitle;
};

} // namespace shell
