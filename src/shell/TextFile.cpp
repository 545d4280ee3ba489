#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>

namespace shell::TextFile {

QByteArray encode(const QString& text)
{
    QStringEncoder enc("windows-1252");
    QByteArray out = enc.encode(text);
    return out;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder dec("windows-1252");
    QString out = dec.decode(bytes);
    return out;
}

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return lines;
}

static QString describe(const QFile& f)
{
    switch (f.error()) {
    case QFileDevice::OpenError:
        if (!f.exists())
            return QStringLiteral("File not found");
        return QStringLiteral("Permission denied");
    case QFileDevice::WriteError:
        return QStringLiteral("Device I/O error (") + f.errorString() + QLatin1Char(')');
    default:
        return f.errorString();
    }
}

Result readLines(const QString& path, QStringList& lines, bool createIfMissing, const QString& initialContent)
{
    lines.clear();
    QFile f(path);
    if (!f.exists() && createIfMissing) {
        QFile c(path);
        if (!c.open(QIODevice::WriteOnly))
            return {false, describe(c)};
        if (!initialContent.isEmpty())
            c.write(encode(initialContent));
        c.close();
    }
    if (!f.open(QIODevice::ReadOnly))
        return {false, describe(f)};
    lines = splitLines(decode(f.readAll()));
    return {};
}

Result replaceFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("Is a directory")};
    QSaveFile f(path);
    // Only where the folder does not let us create the temporary file (EACCES) is the file written in place:
    // a writable file in a read-only folder can still be saved, without the all-or-nothing guarantee.
    f.setDirectWriteFallback(true);
    // Unbuffered: a short write (disk full, size limit) shows in write()'s count instead of being lost in a flush.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, f.errorString()};
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
    // The temporary file is synced to disk before it takes the target's place.
    if (!f.commit())
        return {false, f.errorString()};
    return {};
}

Result writeLines(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    return replaceFile(path, encode(text));
}

Result appendLine(const QString& path, const QString& line)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return {false, describe(f)};
    const QByteArray bytes = encode(line + QStringLiteral("\r\n"));
    if (f.write(bytes) != bytes.size() || !f.flush())
        return {false, describe(f)};
    return {};
}

} // namespace shell::TextFile
