#include "SimPortsIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringEncoder>

namespace {

QByteArray comPrefix(int comNumber)
{
    return "COM" + QByteArray::number(comNumber) + ';';
}

bool startsWithNoCase(const QByteArray& line, const QByteArray& prefix)
{
    return line.size() >= prefix.size() && qstrnicmp(line.constData(), prefix.constData(), prefix.size()) == 0;
}

QByteArray toCp1252(const QString& text)
{
    QStringEncoder encoder("windows-1252");
    return encoder.encode(text);
}

} // namespace

QString SimPortsIni::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Varnotek/Ports.ini";
}

QByteArray SimPortsIni::lineFor(int comNumber, const QString& device, const QString& typeText)
{
    return comPrefix(comNumber) + toCp1252(device) + ';' + toCp1252(typeText) + ';';
}

bool SimPortsIni::addLine(int comNumber, const QString& device, const QString& typeText, QString* error)
{
    const QByteArray line = lineFor(comNumber, device, typeText);
    return rewrite(comNumber, &line, QString(), error);
}

bool SimPortsIni::removeLine(int comNumber, const QString& device, QString* error)
{
    return rewrite(comNumber, nullptr, device, error);
}

bool SimPortsIni::rewrite(int comNumber, const QByteArray* newLine, const QString& onlyDevice, QString* error)
{
    const QString path = filePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create folder %1").arg(folder);
        return false;
    }
    // Several simulators may start or stop at once (parallel tests): one writer at a time.
    QLockFile lock(path + ".lock");
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000)) {
        *error = QStringLiteral("%1 is locked by another process").arg(path);
        return false;
    }
    QByteArray old;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("%1: %2").arg(path, in.errorString());
            return false;
        }
        old = in.readAll();
        in.close();
    }
    const QByteArray prefix = comPrefix(comNumber);
    const QByteArray ownLine = onlyDevice.isEmpty() ? QByteArray() : prefix + toCp1252(onlyDevice) + ';';
    QList<QByteArray> lines;
    bool changed = newLine != nullptr;
    for (QByteArray line : old.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (startsWithNoCase(line, prefix) && (ownLine.isEmpty() || startsWithNoCase(line, ownLine))) {
            changed = true;
            continue;
        }
        lines.append(line);
    }
    if (!changed)
        return true;
    if (newLine)
        lines.append(*newLine);
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    // Written whole and renamed into place, so a reader never sees half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
