#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell::TextFile {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five the code page leaves undefined stand for the C1 controls of the same
// value, as the system's converter has them, so every byte reads back as it was written.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
// What a character without a place in the code page becomes (the converter's substitute).
constexpr char kSubstitute = 0x1A;

// Characters that are not shown (joiners, direction marks, variation selectors, the byte order mark): the
// converter leaves them out rather than writing a substitute for them.
bool ignorable(char32_t u)
{
    return u == 0x034F || u == 0x061C || u == 0x115F || u == 0x1160 || u == 0x17B4 || u == 0x17B5 ||
           (u >= 0x180B && u <= 0x180F) || (u >= 0x200B && u <= 0x200F) || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2060 && u <= 0x206F) || u == 0x3164 || (u >= 0xFE00 && u <= 0xFE0F) || u == 0xFEFF || u == 0xFFA0 ||
           (u >= 0xFFF0 && u <= 0xFFF8) || (u >= 0x1BCA0 && u <= 0x1BCA3) || (u >= 0x1D173 && u <= 0x1D17A) ||
           (u >= 0xE0000 && u <= 0xE0FFF);
}

char encodeHigh(char16_t u)
{
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return char(0x80 + i);
    return kSubstitute;
}

} // namespace

// Files of thousands of rows are written after every online value: a table-driven conversion, without the
// general converter's per-call set-up.
QByteArray encode(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* o = out.data();
    const auto* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* end = p + text.size();
    // Most text is ASCII and Latin-1 letters, which keep their value: checked and narrowed in straight loops.
    bool plain = true;
    for (const char16_t* q = p; q < end; ++q)
        plain &= *q < 0x80 || char16_t(*q - 0xA0) < 0x60;
    if (plain) {
        for (qsizetype i = 0; i < text.size(); ++i)
            o[i] = char(p[i]);
        return out;
    }
    while (p < end) {
        const char16_t u = *p++;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *o++ = char(u);
        } else if (QChar::isHighSurrogate(u) && p < end && QChar::isLowSurrogate(*p)) {
            // One character, one substitute.
            if (!ignorable(QChar::surrogateToUcs4(u, *p)))
                *o++ = kSubstitute;
            ++p;
        } else if (!ignorable(u)) {
            *o++ = encodeHigh(u);
        }
    }
    out.truncate(o - out.data());
    return out;
}

QString decode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *o++ = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b);
    }
    return out;
}

namespace {

bool isControl(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

} // namespace

QString showControls(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            out +=
                QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString dropControls(const QString& text)
{
    QString out = text;
    out.removeIf([](QChar c) { return isControl(c.unicode()); });
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

namespace {

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a path holds when it is no regular file.
QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return systemText(EISDIR);
    const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "no plain file";
    return QStringLiteral("Not a regular file (%1)").arg(QLatin1String(kind));
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("File too large to read (more than %1 bytes)").arg(maxBytes);
}

// Opens without blocking (a FIFO without a writer, a terminal) and keeps the descriptor only for a regular file.
int openRegular(const QString& path, int flags, QString& error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        // A FIFO opened for writing without a reader says ENXIO: say what it is instead.
        struct stat st {
        };
        error = errno == ENXIO && ::stat(name.constData(), &st) == 0 ? notRegular(st.st_mode) : systemText(errno);
        return -1;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        error = systemText(errno);
    else if (!S_ISREG(st.st_mode))
        error = notRegular(st.st_mode);
    else
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

Result readBytes(const QString& path, QByteArray& bytes, qint64 maxBytes)
{
    bytes.clear();
    QString error;
    const int fd = openRegular(path, O_RDONLY, error);
    if (fd < 0)
        return {false, error};
    struct stat st {
    };
    if (::fstat(fd, &st) == 0 && st.st_size > maxBytes) {
        ::close(fd);
        return {false, tooLarge(maxBytes)};
    }
    // The size may change while reading: one byte beyond the bound is enough to know.
    bytes.resize(std::min<qint64>(st.st_size, maxBytes) + 1);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes)
                break;
            bytes.resize(std::min<qint64>(got * 2 + 4096, maxBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = systemText(errno);
            ::close(fd);
            bytes.clear();
            return {false, error};
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > maxBytes) {
        bytes.clear();
        return {false, tooLarge(maxBytes)};
    }
    bytes.truncate(got);
    return {};
}

Result readLines(const QString& path, QStringList& lines, bool createIfMissing, const QString& initialContent)
{
    lines.clear();
    QByteArray bytes;
    Result r = readBytes(path, bytes, kMaxSettingsBytes);
    if (!r.ok && createIfMissing && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        // O_EXCL: a name that appeared meanwhile, or a dangling link, is never written through.
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0)
            return {false, systemText(errno)};
        const QByteArray content = encode(initialContent);
        const bool written =
            content.isEmpty() || ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
        const int saved = errno;
        ::close(fd);
        if (!written)
            return {false, systemText(saved)};
        r = readBytes(path, bytes, kMaxSettingsBytes);
    }
    if (!r.ok)
        return r;
    lines = splitLines(decode(bytes));
    return {};
}

Result replaceFile(const QString& path, const QByteArray& bytes)
{
    // A FIFO or device in the file's place would block the direct write below, or take what is no file.
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return {false, notRegular(st.st_mode)};
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

Result truncate(const QString& path)
{
    QString error;
    const int fd = openRegular(path, O_WRONLY | O_CREAT | O_TRUNC, error);
    if (fd < 0)
        return {false, error};
    ::close(fd);
    return {};
}

Result appendLine(const QString& path, const QString& line)
{
    QString error;
    const int fd = openRegular(path, O_WRONLY | O_APPEND | O_CREAT, error);
    if (fd < 0)
        return {false, error};
    const QByteArray bytes = encode(line + QStringLiteral("\r\n"));
    const ssize_t n = ::write(fd, bytes.constData(), size_t(bytes.size()));
    const int saved = errno;
    ::close(fd);
    if (n != ssize_t(bytes.size()))
        return {false, n < 0 ? systemText(saved) : systemText(ENOSPC)};
    return {};
}

} // namespace shell::TextFile
