#include "Texte.h"

namespace shell {

namespace {
struct Entry {
    int n;
    const char* de;
    const char* en;
};

const Entry kCaptionEntries[] = {
    {0, "Datei", "File"},
    {1, "Datei öffnen", "Open Data File"},
    {2, "In Datei speichern", "Save to File"},
    {3, "Drucken", "Print"},
    {4, "Programm beenden", "Exit Program"},
    {5, "Programmende", "Exit program"},
    {30, "Sprache", "Language"},
    {31, "Englisch", "English"},
    {32, "Deutsch", "German"},
    {40, "Hilfe", "Help"},
    {41, "Info", "Info"},
    {42, "Bedienungsanleitung", "Manual"},
    {43, "Speichern", "Save"},
    {44, "Löschen", "Delete"},
    {45, "Tastaturevents", "KeyEvents"},
    {50, "Verbinden", "Connect"},
    {53, "Verbunden", "Connected"},
    {55, "Nicht Verbunden", "not connected"},
};

const Entry kMessageEntries[] = {
    {0, "Nr.", "No."},
    {1, "Messwert", "Value"},
    {2, "Messeinheit", "Unit"},
    {3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
    {4, "Keine Datei ausgewählt!", "No file selected !"},
    {5, "Bitte gültigen COM-Port wählen !", "Please select valid COM-Port !"},
    {6, "FE-Speicher", "FE-Memory"},
    {7, "NFE-Speicher", "NFE-Memory"},
    {8, "Online", "Online"},
    {9, "Daten in Clipboard kopieren", "Copy data to clipboard"},
    {10, "Statistik:", "Statistics:"},
    {11, "FE-Speicher2", "FE-Memory2"},
    {12, "NFE-Speicher", "NFE-Memory"},
    {13, "Bitte warten....", "Please wait...."},
    {15, "FE-Speicher1", "FE-Memory1"},
    {16, "Datum:", "Date:"},
    {17, "Fertig", "Done"},
    {18, "FE-Speicher leer!", "FE-Storage empty"},
    {19, "NFE-Speicher leer!", "NFE-Storage empty"},
    {20, "Messwerte", "Data"},
    {21, "Befehle", "Commands"},
    {22, "Fehler beim Einlesen der Geraeteinformationen", "Read device information Error"},
    {23, "Daten kopieren nach", "Copy data to"},
    {24, "Bitte COM-Port auswählern", "Please select COM-Port"},
    {25, "Eingabe muss numerisch sein!", "Numeric field required!"},
    {26, "Werte passen nicht zum Tabellentyp !", "Data doesn't match table type !"},
    {27, "Speicher 1 ist leer", "Memory 1 has no data"},
    {28, "Speicher 2 ist leer", "Memory 2 has no data"},
    {29, "Gerät nicht verfügbar !", "Device is not available !"},
    {30, "Speicher einlesen", "Read Storage"},
    {31, "Kein Com-Port verfügbar!", "No Com-Port available!"},
    {32, "Speicher", "Memory"},
    {33, "Speicher ist leer", "Memory has no data"},
    {34, "Kein Eintrag ausgewählt", "No entry selected"},
    {35, "Minimum größer als Maximum!", "Minimum higher than maximum!"},
    {36, "Sollwert muss zwischen Minimum und Maximum liegen!", "Target value should be within Minimum and Maximum!"},
    {37, "Achtung Gerätespeicher kann hier nicht gelöscht werden!", "Warning! Device-Storage will not be deleted!"},
    {38, "Projektdaten", "Project data"},
    {39, "Grenzwerte", "Limits"},
    {40, "Zeile löschen", "Delete row"},
    {41, "Tabelle löschen", "Delete Tab"},
    {42, "BEREIT", "READY"},
    {43, "Geraet", "Device"},
    {44, "Geraete Software Version", "Device Softwareversion"},
    {45, "Sollwert", "Target value"},
    {46, "Datum/Uhrzeit", "Date/Time"},
    {47, "Speicher leer", "Storage empty"},
    {48, "Bitte Tabelle löschen", "Please delete Table"},
    {49, "Excel inklusive Chart erstellen?", "Generate Excel Worksheet with chart?"},
    {50, "Wollen Sie die Tabelle wirklich löschen?", "Do you really want to delete this table?"},
    {51, "Wollen Sie die markierte Zeile wirklich löschen?", "Do you really want to delete this row?"},
    {52, "Nur positive Werte erlaubt", "Only positive digits allowed"},
    {53, "Maximale Werteanzahl überschritten", "Maximal number of data exceeded"},
    {54, "Bitte nur eine Zeile auswählen", "Please choose only one row"},
    {55, "Stopp", "Stop"},
    {56, "Weiter", "Continue"},
    {57, "Eingabe Sollwert bei 80/20 Regel erforderlich", "Please enter targe value when using 80/20 rule "},
    {58, "Ja", "Yes"},
    {59, "Nein ", "No"},
    {60, "Min Limit  an 80/20 Regel angepasst von ", "Min limit changed due to 80/20 rule from "},
    {61, "nach", "to"},
    {62, "Tastatur Events senden", "Send key events"},
    {63, "Online Wert wird automatisch als Tastatur Event an andere Anwendung versendet",
     "Online value will be automatically transfered to another application"},
    {64, "Funktion aktivieren", "Activate function"},
    {65, "Anwendung an die gesendet wird", "Application to which will be send"},
    {66, "Werte inklusive", "Values including"},
    {67, "Datum", "Date"},
    {68, "Zeilenende Zeichen", "End of line char"},
    {69, "Keins", "None"},
    {70, "Nr", "No"},
};

const Entry kStatEntries[] = {
    {1, "Anzahl", "Number"},
    {2, "Maximum", "Maximum"},
    {3, "Minimum", "Minimum"},
    {4, "Mittelwert", "Average"},
    {5, "Std.Abweichung", "Std.Deviation"},
    {6, "Statistik:", "Statistics:"},
    {7, " Statistik nicht möglich,", " Statistics not possible"},
    {8, " da verschiedene", " cause of different"},
    {9, " Messeinheiten ", " measurement units"},
    {10, "Sollwert    ", "Target value"},
    {11, "  mit Absolutwerten", "  with absolute values"},
    {12, "Linie / Balken", "Line / Bar"},
    {13, "Daten", "Data"},
    {14, "80/20 Regel ok:", "80/20 rule ok:"},
};

template <int N> void fill(QString (&table)[N][Texte::kSlots], const Entry* begin, const Entry* end)
{
    for (auto& row : table)
        for (auto& cell : row)
            cell.clear();
    for (const Entry* e = begin; e != end; ++e) {
        table[e->n][0] = QString::fromUtf8(e->de);
        table[e->n][1] = QString::fromUtf8(e->en);
    }
}
} // namespace

namespace {
const Entry kServerEntries[] = {
    {int(Srv::ThisComputer), "Dieser Computer", "This computer"},
    {int(Srv::Server), "Server", "Server"},
    {int(Srv::Waiting), "Auf den Server warten %1 Messreihen.", "%1 series wait for the server."},
    {int(Srv::AllUploaded), "Alle Messreihen sind auf dem Server.", "Every series is on the server."},
    {int(Srv::LastFailure), "Letzter Fehler: %1", "Last failure: %1"},
    {int(Srv::Unreachable),
     "Der Server ist nicht erreichbar (%1). Die Messreihen bleiben auf diesem Computer und werden hochgeladen, sobald "
     "er erreichbar ist.",
     "The server cannot be reached (%1). The series stay on this computer and are uploaded as soon as it can be "
     "reached."},
    {int(Srv::Refused),
     "Der Server lässt diesen Benutzer nicht an das Archiv (%1). Bitte Benutzer und Passwort (~/.pgpass) oder "
     "Zertifikat prüfen; die Messreihen bleiben auf diesem Computer.",
     "The server does not let this user at the archive (%1). Please check the user and password (~/.pgpass) or "
     "certificate; the series stay on this computer."},
    {int(Srv::NoArchive),
     "Die Datenbank auf dem Server enthält kein Archiv dieses Programms (docs/archive-server.sql). Die Messreihen "
     "bleiben auf diesem Computer.",
     "The database on the server holds no archive of this program (docs/archive-server.sql). The series stay on "
     "this computer."},
    {int(Srv::OtherSchema),
     "Das Archiv auf dem Server hat Version %1, dieses Programm braucht Version %2. Hochgeladen wird erst, wenn "
     "beide zusammenpassen; die Messreihen bleiben auf diesem Computer.",
     "The archive on the server is version %1; this program needs version %2. Nothing is uploaded until they match; "
     "the series stay on this computer."},
    {int(Srv::NoDriver),
     "Der PostgreSQL-Treiber von Qt fehlt (Paket libqt6sql6-psql). Die Messreihen bleiben auf diesem Computer.",
     "Qt's PostgreSQL driver is missing (package libqt6sql6-psql). The series stay on this computer."},
    {int(Srv::UploadFailed), "Hochladen unterbrochen (%1); es wird später wiederholt.",
     "Upload cut short (%1); it is tried again later."},
    {int(Srv::LocalUnreadable), "Das Archiv dieses Computers kann nicht gelesen werden (%1).",
     "The archive of this computer cannot be read (%1)."},
    {int(Srv::NoServer), "Kein Server eingerichtet (Server.ini).", "No server set up (Server.ini)."},
    {int(Srv::Listed), "%1 Messreihen auf dem Server (höchstens %2 gezeigt)",
     "%1 series on the server (at most %2 shown)"},
};
} // namespace

QString serverText(Srv entry, int sprache)
{
    for (const Entry& e : kServerEntries)
        if (e.n == int(entry))
            return QString::fromUtf8(sprache != 0 ? e.en : e.de);
    return {};
}

void Texte::LoadMessageTable(const QString& programTitle)
{
    fill(messageTable, std::begin(kMessageEntries), std::end(kMessageEntries));
    messageTable[14][0] = programTitle;
    messageTable[14][1] = programTitle;
    fill(statTable, std::begin(kStatEntries), std::end(kStatEntries));
}

void Texte::LoadCaptionTable()
{
    fill(captionTable, std::begin(kCaptionEntries), std::end(kCaptionEntries));
}

QString Texte::msgIn(Msg entry, int lang) const
{
    if (lang < 0 || lang >= kSlots)
        return {};
    return messageTable[int(entry)][lang];
}

QString Texte::lookup(const QString (*table)[kSlots], int size, int entry) const
{
    if (entry < 0 || entry >= size)
        return {};
    const int slot = (sprache < 0 || sprache >= kSlots) ? 0 : sprache;
    return table[entry][slot];
}

} // namespace shell
