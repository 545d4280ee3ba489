#pragma once

#include "QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace testsupport {

// Points the data folders (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR) and the number
// locale at a fresh temporary sandbox for the lifetime of the object; restores them after.
class Sandbox
{
public:
    explicit Sandbox(const QByteArray& locale = "en_US.UTF-8");
    ~Sandbox();

    QString root() const { return m_dir.path(); }
    QString config() const { return root() + QStringLiteral("/config"); }
    QString data() const { return root() + QStringLiteral("/data"); }
    QString runtime() const { return root() + QStringLiteral("/runtime"); }
    // A program folder holding Konfi.ini (written by writeKonfi).
    QString appDir() const { return root() + QStringLiteral("/app"); }

    // Writes Konfi.ini (CR LF, Windows-1252) into appDir.
    void writeKonfi(const QString& content) const;

    // Writes a file with Windows-1252 bytes, creating folders.
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

    // Runs f with writes limited to `bytes` per file (a full disk); a write beyond fails instead of ending the process.
    static void withFileSizeLimit(qint64 bytes, const std::function<void()>& f);

    // Switches the number locale (LANG/LC_ALL and QLocale's default).
    static void setLocale(const QByteArray& locale);

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[5];
};

} // namespace testsupport
