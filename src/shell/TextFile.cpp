#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

Result writeLines(const QString& path, const QStringList& lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {false, describe(f)};
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    const QByteArray bytes = encode(text);
    if (f.write(bytes) != bytes.size() || !f.flush())
        return {false, describe(f)};
    f.close();
    if (f.error() != QFileDevice::NoError)
        return {false, describe(f)};
    return {};
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
