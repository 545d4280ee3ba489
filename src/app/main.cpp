#include "session/TransferSession.h"
#include "shell/SystemDesktop.h"
#include "shell/Wait.h"
#include "ui/QtDialogs.h"
#include "ui/frmTransfer.h"

#include <QApplication>
#include <QIcon>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // QApplication sets the C locale from the environment; C-level number output must stay ".".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Varnotek TRANSFER"));
    QApplication::setWindowIcon(QIcon(QApplication::applicationDirPath() + QStringLiteral("/varnotek.png")));
    shell::EscapeWatcher::instance().install();

    ui::QtDialogs dialogs;
    shell::SystemDesktop desktop;
    session::TransferSession session(dialogs, desktop);
    session.state().edition.appPath = QApplication::applicationDirPath();
    ui::frmTransfer window(session);
    dialogs.setParent(&window);
    if (!window.Form_Load())
        return 0; // another instance is running
    QObject::connect(&window, &ui::frmTransfer::quitting, &app, &QApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
