#include "ExportTexte.h"

#include "table/MessdatenStore.h"

#include <QStringList>

#include <QDir>

#include <cerrno>
#include <cstring>
#include <utility>

namespace reports::ExportTexte {

QString saveFailed(int sprache, const QString& path, const QString& reason)
{
    const QString file = QDir::toNativeSeparators(path);
    if (sprache == 0)
        return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2").arg(file, reason);
    return QStringLiteral("The file %1 could not be saved: %2").arg(file, reason);
}

QString readFailed(int sprache, const QString& path, const QString& reason)
{
    const QString file = QDir::toNativeSeparators(path);
    if (sprache == 0)
        return QStringLiteral("Die Datei %1 konnte nicht gelesen werden: %2").arg(file, reason);
    return QStringLiteral("The file %1 could not be read: %2").arg(file, reason);
}

QString reason(int sprache, const QString& systemText)
{
    if (sprache != 0)
        return systemText;
    // Qt reports file errors with the C library's English texts; the common ones get a German text.
    static const struct {
        int code;
        const char* de;
    } known[] = {
        {ENOSPC, "Kein Speicherplatz mehr auf dem Datenträger"},
        {EFBIG, "Die Datei ist zu groß für den Datenträger"},
        {EDQUOT, "Speicherkontingent überschritten"},
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Vorgang nicht erlaubt"},
        {EROFS, "Der Datenträger ist schreibgeschützt"},
        {ENOTDIR, "Der Ordner existiert nicht"},
        {ENOENT, "Datei oder Ordner nicht gefunden"},
        {EISDIR, "Der Name gehört zu einem Ordner"},
        {EIO, "Ein-/Ausgabefehler"},
    };
    for (const auto& k : known)
        if (systemText.contains(QString::fromLocal8Bit(std::strerror(k.code)), Qt::CaseInsensitive))
            return QString::fromUtf8(k.de);
    // shell::TextFile's own refusals.
    if (systemText.startsWith(QLatin1String("Not a regular file"))) {
        QString t = systemText;
        for (const auto& [en, de] :
             {std::pair{"Not a regular file", "keine gewöhnliche Datei"}, std::pair{"a FIFO", "eine FIFO"},
              std::pair{"a character device", "ein zeichenorientiertes Gerät"},
              std::pair{"a block device", "ein blockorientiertes Gerät"}, std::pair{"a socket", "ein Socket"}})
            t.replace(QLatin1String(en), QString::fromUtf8(de));
        return t;
    }
    if (systemText.startsWith(QLatin1String("File too large to read")))
        return QString(systemText)
            .replace(QLatin1String("File too large to read"), QStringLiteral("zu groß für eine Messdatei"))
            .replace(QLatin1String("more than"), QStringLiteral("mehr als"))
            .replace(QLatin1String("bytes"), QStringLiteral("Bytes"));
    if (systemText.contains(QLatin1String("not writable"), Qt::CaseInsensitive))
        return QStringLiteral("Die Datei ist schreibgeschützt");
    if (systemText.contains(QLatin1String("refers to a directory"), Qt::CaseInsensitive))
        return QString::fromUtf8(known[8].de);
    return systemText;
}

QString notTaken(int sprache, const QString& file, const std::vector<int>& refused, size_t rows)
{
    const bool de = sprache == 0;
    QStringList out;
    if (!refused.empty()) {
        QStringList lines;
        for (size_t i = 0; i < std::min<size_t>(refused.size(), 10); ++i)
            lines << QString::number(refused[i]);
        if (refused.size() > 10)
            lines << QStringLiteral("...");
        out << file + QStringLiteral(": ") +
                   (de ? QStringLiteral("%1 Zeilen ohne gültigen Messwert oder mit einer Nummer jenseits der Spalte "
                                        "nicht übernommen (Zeile %2)")
                       : QStringLiteral("%1 lines without a valid value or with a number beyond its column not taken "
                                        "(line %2)"))
                       .arg(refused.size())
                       .arg(lines.join(QStringLiteral(", ")));
    }
    const size_t limit = table::MessdatenStore::kRows;
    if (rows > limit)
        out << file + QStringLiteral(": ") +
                   (de ? QStringLiteral("%1 Zeilen, eine Tabelle fasst %2; die übrigen %3 sind nicht übernommen")
                       : QStringLiteral("%1 rows, a table holds %2; the other %3 are not taken"))
                       .arg(rows)
                       .arg(limit)
                       .arg(rows - limit);
    return out.join(QLatin1Char('\n'));
}

} // namespace reports::ExportTexte
