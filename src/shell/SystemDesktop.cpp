#include "SystemDesktop.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace shell {

namespace {

QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The meaning of xdg-open's exit codes (xdg-open(1)).
QString xdgOpenFailure(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("xdg-open: error in command line syntax");
    case 2:
        return QStringLiteral("xdg-open: one of the files passed on the command line did not exist");
    case 3:
        return QStringLiteral("xdg-open: a required tool could not be found (no program is set up to open this file)");
    case 4:
        return QStringLiteral("xdg-open: the action failed (no program could open the file)");
    default:
        return QStringLiteral("xdg-open: exit status %1").arg(code);
    }
}

} // namespace

void SystemDesktop::clearClipboard()
{
    if (QClipboard* cb = clipboard())
        cb->clear();
}

void SystemDesktop::setClipboardText(const QString& text)
{
    if (QClipboard* cb = clipboard())
        cb->setText(text);
}

bool SystemDesktop::openDocument(const QString& path, QString& error)
{
    error.clear();
    lastFailure = Failure::None;
    if (!QFileInfo(path).isFile()) {
        error = path + QStringLiteral(": no such file");
        lastFailure = Failure::NoFile;
        return false;
    }
    // Without a desktop environment xdg-open may run the program itself and stay until it ends: the process is
    // left running after the wait (never killed), and the window keeps handling events meanwhile.
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto c1 = QObject::connect(p, &QProcess::finished, &loop, &QEventLoop::quit);
    const auto c2 = QObject::connect(p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    p->start(opener, {path});
    timer.start(timeoutMs);
    if (p->state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(c1);
    QObject::disconnect(c2);

    if (p->state() != QProcess::NotRunning) {
        // Still opening: the program has taken the file. The process goes its own way.
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
        return true;
    }
    const std::unique_ptr<QProcess> done(p);
    if (p->error() == QProcess::FailedToStart) {
        // Without the opener nothing on this desktop opens files by their type.
        error = opener + QStringLiteral(": ") + p->errorString();
        lastFailure = Failure::NoProgram;
        return false;
    }
    if (p->exitStatus() != QProcess::NormalExit) {
        error = opener + QStringLiteral(": ") + p->errorString();
        lastFailure = Failure::ProgramFailed;
        return false;
    }
    if (p->exitCode() != 0) {
        error = xdgOpenFailure(p->exitCode());
        lastFailure = p->exitCode() == 2   ? Failure::NoFile
                      : p->exitCode() == 3 ? Failure::NoProgram
                                           : Failure::ProgramFailed;
        // xdg-open's own conclusion is its last line; before it come the fallbacks it tried ("firefox: not found").
        const QString said = QString::fromLocal8Bit(p->readAll()).trimmed().section(QLatin1Char('\n'), -1).trimmed();
        if (!said.isEmpty())
            error += QStringLiteral(" (") + said + QLatin1Char(')');
        return false;
    }
    return true;
}

} // namespace shell
