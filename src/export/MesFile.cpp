#include "MesFile.h"

#include "shell/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>
#include <cstring>

namespace reports::MesFile {

Result write(const QString& path, const QString& text)
{
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("Is a directory")};
    QSaveFile f(path);
    // Unbuffered: a short write (disk full, size limit) shows in write()'s count instead of being lost in a flush.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, f.errorString()};
    const QByteArray bytes = shell::TextFile::encode(text);
    // A short write is tried again for the rest, so a full disk shows as the system's error.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            QString error = f.errorString();
            if (f.error() == QFileDevice::NoError || error.isEmpty())
                error = QString::fromLocal8Bit(std::strerror(ENOSPC));
            f.cancelWriting();
            return {false, error};
        }
        done += n;
    }
    // On disk before it takes the old file's place: after a crash or a power cut the file is the old one or the new
    // one, whole.
    if (::fsync(f.handle()) != 0) {
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        f.cancelWriting();
        return {false, error};
    }
    if (!f.commit())
        return {false, f.errorString()};
    return {};
}

Result read(const QString& path, QString& text)
{
    text.clear();
    QFile f(path);
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("Is a directory")};
    if (!f.open(QIODevice::ReadOnly))
        return {false, f.errorString()};
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return {false, f.errorString()};
    text = shell::TextFile::decode(bytes);
    return {};
}

} // namespace reports::MesFile
