#include "session/TransferSession.h"
#include "shell/ProgramFolder.h"
#include "shell/SystemDesktop.h"
#include "shell/Wait.h"
#include "ui/QtDialogs.h"
#include "ui/WindowIcons.h"
#include "ui/frmTransfer.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // QApplication sets the C locale from the environment; C-level number output must stay ".".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Varnotek TRANSFER"));
    // The desktop entry's name: task bars and Wayland compositors match the windows to its icon and name by it.
    QGuiApplication::setDesktopFileName(ui::WindowIcons::themeName());
    shell::EscapeWatcher::instance().install();

    ui::QtDialogs dialogs;
    shell::SystemDesktop desktop;
    session::TransferSession session(dialogs, desktop);
    // Beside the program in the build folder, share/varnotek-transfer once installed.
    const QString programFolder = shell::ProgramFolder::locate(QApplication::applicationDirPath());
    session.state().edition.appPath = programFolder;
    QApplication::setWindowIcon(ui::WindowIcons::programIcon(programFolder));
    ui::frmTransfer window(session);
    dialogs.setParent(&window);
    if (!window.Form_Load())
        return 0; // another instance is running
    QObject::connect(&window, &ui::frmTransfer::quitting, &app, &QApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
