#include "ExportTexte.h"

#include "table/MessdatenStore.h"

#include <QStringList>

#include <QDir>

#include <cerrno>
#include <cstring>
#include <iterator>
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

QString bericht(int sprache, Bericht entry)
{
    static const char* const kTexts[][2] = {
        {"Prüfbericht Schichtdicke", "Coating thickness inspection report"},
        {"Prüfbericht", "Inspection report"},
        {"Berichte", "Reports"},
        {"PDF-Dokumente (*.pdf)", "PDF documents (*.pdf)"},
        {"Messung", "Measured"},
        {"Bericht erstellt", "Report made"},
        {"Projektdaten", "Project data"},
        {"Messgerät", "Gauge"},
        {"Auswertung", "Evaluation"},
        {"Messwerte", "Readings"},
        {"Tabelle", "Table"},
        {"Modell", "Model"},
        {"Schnittstelle", "Serial line"},
        {"Firmware", "Firmware"},
        {"Sonde", "Probe"},
        {"MAC-Adresse", "MAC address"},
        {"Prüfregel", "Inspection rule"},
        {"keine (nur Grenzwerte)", "none (limits only)"},
        {"Grenzwerte", "Limits"},
        {"Sollwert", "Target value"},
        {"Var.-Koeffizient", "Coeff. of variation"},
        {"ERFÜLLT", "PASS"},
        {"NICHT ERFÜLLT", "FAIL"},
        {"OFFEN", "OPEN"},
        {"OHNE BEWERTUNG", "NOT EVALUATED"},
        {"Weder Grenzwerte noch eine Prüfregel sind gesetzt.", "Neither limits nor an inspection rule are set."},
        {"Verschiedene Messeinheiten: keine Statistik, keine Bewertung.",
         "Different measurement units: no statistics, no evaluation."},
        {"Werte unter dem Min Limit %2: %1", "Readings below the minimum limit %2: %1"},
        {"Werte über dem Max Limit %2: %1", "Readings above the maximum limit %2: %1"},
        {"Mittelwert %1 unter dem Sollwert %2", "Mean %1 below the target value %2"},
        {"%1 % der Werte zwischen 80 % und 100 % des Sollwerts (höchstens 20 %)",
         "%1 % of the readings between 80 % and 100 % of the target (at most 20 %)"},
        {"Werte unter 90 % des Sollwerts: %1", "Readings below 90 % of the target: %1"},
        {"%1 % der Werte zwischen 90 % und 100 % des Sollwerts (höchstens 10 %)",
         "%1 % of the readings between 90 % and 100 % of the target (at most 10 %)"},
        {"Spots außerhalb: %1", "Spots outside: %1"},
        {"Flächen außerhalb: %1", "Areas outside: %1"},
        {"Mindestanzahl %1 für die Prüffläche nicht erreicht (%2 Werte)",
         "Minimum count %1 for the inspection area not reached (%2 readings)"},
        {"Messwerte und Grenzwerte", "Readings and limits"},
        {"Verteilung der Messwerte", "Distribution of the readings"},
        {"Nr.", "No."},
        {"Zeit", "Time"},
        {"Wert", "Value"},
        {"Einheit", "Unit"},
        {"Material", "Material"},
        {"Spot-Ø", "Spot mean"},
        {"Seite %1 von %2", "Page %1 of %2"},
        {"Prüffläche", "Inspection area"},
        {"Werte/Spot, Spots/Fläche", "Readings/spot, spots/area"},
    };
    static_assert(std::size(kTexts) == size_t(Bericht::Count));
    const size_t i = size_t(entry);
    return i < std::size(kTexts) ? QString::fromUtf8(kTexts[i][sprache == 0 ? 0 : 1]) : QString();
}

} // namespace reports::ExportTexte
