#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

namespace {
const char* const kVars[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "LANG", "LC_ALL"};
}

Sandbox::Sandbox(const QByteArray& locale)
{
    for (int i = 0; i < 5; ++i)
        m_saved[i] = qgetenv(kVars[i]);
    QDir().mkpath(config());
    QDir().mkpath(data());
    QDir().mkpath(runtime());
    QDir().mkpath(appDir());
    QFile::setPermissions(runtime(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime().toLocal8Bit());
    setLocale(locale);
}

Sandbox::~Sandbox()
{
    for (int i = 0; i < 5; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(kVars[i]);
        else
            qputenv(kVars[i], m_saved[i]);
    }
    QLocale::setDefault(QLocale::c());
}

void Sandbox::withFileSizeLimit(qint64 bytes, const std::function<void()>& f)
{
    struct rlimit saved {
    };
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &small) == 0)
        f();
    else
        ADD_FAILURE() << "cannot limit the file size";
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

void Sandbox::setLocale(const QByteArray& locale)
{
    qputenv("LANG", locale);
    qputenv("LC_ALL", locale);
    QLocale::setDefault(QLocale(QString::fromLatin1(locale.left(locale.indexOf('.')))));
}

void Sandbox::writeKonfi(const QString& content) const
{
    QString crlf = content;
    crlf.replace("\r\n", "\n").replace("\n", "\r\n");
    writeFile(appDir() + QStringLiteral("/Konfi.ini"), crlf.toLatin1());
}

void Sandbox::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray Sandbox::readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace testsupport
