#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace shell {

// Settings, log and data files are Windows-1252 with CR LF line ends, so files move between
// Windows and Linux installations unchanged.
namespace TextFile {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Text that came from a gauge or a file, for a terminal or the log: every control character (C0, DEL, C1) is
// shown as "\x1B", so none reaches a terminal as a command.
QString showControls(const QString& text);
// The same text for typing into another program: control characters removed.
QString dropControls(const QString& text);

// Splits on LF and drops one trailing CR per line; a last line without an end is kept.
QStringList splitLines(const QString& text);

struct Result {
    bool ok = true;
    QString error; // the system's description when !ok
};

// Settings files are a few lines; Ports.ini with all 201 ports fits many times over.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// Reads a whole file that must be a regular file of at most maxBytes. Anything else fails at once, its
// description naming the cause (not found, permission, a folder, a FIFO or device, too large): nothing blocks
// on a FIFO or a device, nothing reads without end.
Result readBytes(const QString& path, QByteArray& bytes, qint64 maxBytes);

// Reads all lines of a settings file (at most kMaxSettingsBytes, as readBytes). A missing file is an error unless
// createIfMissing, which first creates it holding initialContent.
Result readLines(const QString& path, QStringList& lines, bool createIfMissing = false,
                 const QString& initialContent = QString());

// Replaces the file with the bytes. They go to a temporary file beside the target first, synced to disk, which
// then takes the target's place: a failure at any point leaves the previous file whole. Only where the folder
// does not let us create that file is an existing writable file written in place.
Result replaceFile(const QString& path, const QByteArray& bytes);

// Replaces the file with the lines, each ended by CR LF, as replaceFile does.
Result writeLines(const QString& path, const QStringList& lines);

// Empties the file (created when missing; only a regular file is touched).
Result truncate(const QString& path);

// Appends one line ended by CR LF (the file is created when missing; only a regular file is written).
Result appendLine(const QString& path, const QString& line);

} // namespace TextFile
} // namespace shell
