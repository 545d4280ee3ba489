// The program's own texts beside the numbered tables, German and English side by side; each entry is
// PHRASE(name, German, English). Included by Phrases.h and Phrases.cpp only.
// ExportSession
PHRASE(Documents, "Dokumente", "Documents")
// LinkSession
PHRASE(IdentificationUnreadable, "Die Kennung des Geräts ist nicht lesbar; nicht verbunden.",
       "The identification of the device cannot be read; not connected.")
PHRASE(AnswerNotFinished, "Das Gerät beendet seine Antwort nicht innerhalb von %1 s; nicht verbunden.",
       "The gauge does not finish its answer within %1 s; not connected.")
PHRASE(GaugeSilent, "Das Gerät antwortet nicht (%1 s ohne Daten); nicht verbunden.",
       "The gauge does not answer (%1 s without data); not connected.")
PHRASE(ConnectingCancelled, "Verbinden abgebrochen", "Connecting cancelled")
PHRASE(NotAGaugeEndless, "Kein Messgerät: es sendet mehr als %1 Zeichen ohne Ende; Verbindung getrennt.",
       "Not a gauge: it sends more than %1 characters without an end; disconnected.")
PHRASE(PortNotOpen, "Der Port ist nicht geöffnet", "The port is not open")
PHRASE(PortPermissionDenied,
       "Keine Berechtigung für %1. Der Benutzer muss Mitglied der Gruppe \"dialout\" sein (sudo usermod -aG dialout "
       "$USER); danach ab- und wieder anmelden.",
       "Permission denied for %1. Your user must be a member of the group \"dialout\" (sudo usermod -aG dialout "
       "$USER); log out and in again afterwards.")
PHRASE(PortInUse, "%1 wird von einem anderen Programm benutzt.", "%1 is in use by another program.")
PHRASE(PortCannotBeOpened, "Der Port kann nicht geöffnet werden: ", "Cannot open the port: ")
// MemoryReader
PHRASE(OnlineRunEndsForRead, "Die Online-Messung läuft noch. Zum Einlesen des Speichers wird sie beendet. Fortfahren?",
       "The online measurement is still running. Reading the memory ends it. Continue?")
PHRASE(ReadCancelled, "Einlesen abgebrochen, keine Werte übernommen", "Reading cancelled, no values taken over")
PHRASE(RecordsWithoutValue, "%1: %2 Datensätze ohne gültigen Messwert (NaN, unendlich) nicht übernommen",
       "%1: %2 records without a valid value (NaN, infinity) not taken over")
PHRASE(MemoryReadUnreadableLinesSkipped,
       "Speicher lesen: unlesbare Zeilen übergangen: ", "Memory read: unreadable lines skipped: ")
PHRASE(MemoryAnswerTooLong,
       "%1: %2 von %3 Werten empfangen; die Antwort ist länger als die eines Messgeräts, Übertragung abgebrochen",
       "%1: %2 of %3 values received; the answer is longer than any gauge's, transfer stopped")
PHRASE(MemoryAnswerEndless, "%1: %2 von %3 Werten empfangen; die Antwort endet nicht, Übertragung abgebrochen",
       "%1: %2 of %3 values received; the answer does not end, transfer stopped")
PHRASE(MemoryAnswerCut, "%1: %2 von %3 Werten empfangen, Übertragung unterbrochen",
       "%1: %2 of %3 values received, transfer interrupted")
PHRASE(MemoryCountDiffers, "%1: %2 Werte empfangen, angekündigt waren %3", "%1: %2 values received, %3 announced")
// OnlineReceiver
PHRASE(WaitingForGauge, "Verbindung verloren, warte auf das Messgerät ...",
       "Connection lost, waiting for the gauge ...")
PHRASE(GaugeBackOnlineGoesOn, ": wieder verbunden, online geht weiter", ": connected again, online goes on")
PHRASE(OnlineEnded, "Online beendet: ", "Online ended: ")
PHRASE(Values, " Werte", " values")
// ArchiveRecorder
PHRASE(
    ArchiveDamagedSetAside,
    "Das Archiv %1 war beschädigt (%2). Es wurde unverändert als %3 beiseitegelegt, ein neues Archiv wurde begonnen.",
    "The archive %1 was damaged (%2). It was set aside unchanged as %3, and a new archive was begun.")
PHRASE(ArchiveBusy,
       "Das Archiv %1 wird gerade von einem anderen Programm beschrieben. Diese Messreihen werden nicht archiviert; "
       "Messen und Speichern gehen weiter wie bisher.",
       "The archive %1 is being written by another program. These series are not archived; measuring and saving go on "
       "as before.")
PHRASE(ArchiveTooNew,
       "Das Archiv %1 stammt von einer neueren Programmversion und bleibt unverändert. Archiviert wird nicht; Messen "
       "und Speichern gehen weiter wie bisher.",
       "The archive %1 was made by a newer version of the program and is left unchanged. Nothing is archived; "
       "measuring and saving go on as before.")
PHRASE(ArchiveNotWritable,
       "Das Archiv %1 kann nicht geschrieben werden (%2). Archiviert wird nicht; Messen und Speichern gehen weiter wie "
       "bisher.",
       "The archive %1 cannot be written (%2). Nothing is archived; measuring and saving go on as before.")
PHRASE(Archive, "Archiv #%1", "Archive #%1")
// InspectionRule
PHRASE(TargetNeededFor9010, "Eingabe Sollwert bei 90/10 Regel erforderlich",
       "Please enter target value when using 90/10 rule")
PHRASE(LimitsNeededForPa2, "Eingabe Min Limit und Max Limit bei SSPC-PA 2 erforderlich",
       "Please enter Min Limit and Max Limit when using SSPC-PA 2")
// Messwert
PHRASE(Overflow, "Überlauf", "Overflow")
PHRASE(TypeMismatch, "Typen unverträglich", "Type mismatch")
PHRASE(SubscriptOutOfRange, "Index außerhalb des gültigen Bereichs", "Subscript out of range")
// TransferShell
PHRASE(KonfiFolderNotSingle, "Konfi.ini: \"%1\" ist kein einzelner Ordnername; es gilt \"%2\".",
       "Konfi.ini: \"%1\" is not a single folder name; \"%2\" is used instead.")
PHRASE(Cancel, "Abbrechen", "Cancel")
PHRASE(Clipboard, "Zwischenablage", "Clipboard")
PHRASE(WordProcessor, "Textverarbeitung", "Word processor")
PHRASE(Spreadsheet, "Tabellenkalkulation", "Spreadsheet")
PHRASE(NoProgramToOpenPDF,
       "Kein Programm zum Öffnen von PDF-Dateien gefunden. Das Handbuch kann von Hand geöffnet werden: ",
       "No program to open PDF files was found. The manual can be opened by hand: ")
PHRASE(PdfProgramFailed,
       "Das PDF-Programm konnte das Handbuch nicht öffnen: ", "The PDF program could not open the manual ")
// InspectionRules
PHRASE(No, "Nr. ", "No. ")
PHRASE(Fine, "fein", "fine")
PHRASE(Medium, "mittel", "medium")
PHRASE(Coarse, "grob", "coarse")
PHRASE(None, "keine", "none")
PHRASE(Roughness, "Rauheit:", "Roughness:")
PHRASE(MSubtracted, "%1, %2 µm abgezogen", "%1, %2 µm subtracted")
PHRASE(NotAppliedValuesNotIn, "%1, nicht angewandt (keine µm-Werte)", "%1, not applied (values not in µm)")
PHRASE(MinimumCount, "Mindestanzahl:", "Minimum count:")
PHRASE(Met, "erfüllt", "met")
PHRASE(NotMet, "nicht erfüllt", "not met")
PHRASE(T9010RuleOk, "90/10 Regel ok:", "90/10 rule ok:")
PHRASE(Level3, "Stufe 3", "Level 3")
PHRASE(CustomLevel, "eigene Stufe %1/%2 %", "custom level %1/%2 %")
PHRASE(PA2RuleOk, "PA 2 Regel ok:", "PA 2 rule ok:")
PHRASE(Open, "offen", "open")
PHRASE(OpenOf, ", offen: %1 von %2", ", open: %1 of %2")
PHRASE(SpotsOutside, "Spots außerhalb:", "Spots outside:")
PHRASE(Outside, ", %1 außerhalb", ", %1 outside")
PHRASE(T1Open, ", 1 offen", ", 1 open")
PHRASE(Areas, "Flächen:", "Areas:")
// WerteForm
PHRASE(Rule, "Regel", "Rule")
PHRASE(Fine10M, "fein (10 µm)", "fine (10 µm)")
PHRASE(Medium25M, "mittel (25 µm)", "medium (25 µm)")
PHRASE(Coarse40M, "grob (40 µm)", "coarse (40 µm)")
PHRASE(InspectionAreaMM, "Prüffläche (m² / m):", "Inspection area (m² / m):")
PHRASE(ReadingsPerSpot, "Werte je Spot:", "Readings per spot:")
PHRASE(SpotsPerArea, "Spots je Fläche:", "Spots per area:")
PHRASE(SpotMinOfMin, "Spot min. % von Min:", "Spot min. % of Min:")
PHRASE(SpotMaxOfMax, "Spot max. % von Max:", "Spot max. % of Max:")
PHRASE(CustomLevel2, "Eigene Stufe", "Custom level")
PHRASE(AllowedAreWholeNumbersFrom, "Erlaubt sind ganze Zahlen von %1 bis %2", "Allowed are whole numbers from %1 to %2")
PHRASE(AllowedAreValuesFromTo, "Erlaubt sind Werte von %1 bis %2", "Allowed are values from %1 to %2")
// frmTransfer
PHRASE(History, "&Verlauf ...", "&History ...")
// frmVerlauf
PHRASE(History2, "Verlauf", "History")
PHRASE(SearchGaugeAndProject, "Suchen in Messgerät und Projekt ...", "Search gauge and project ...")
PHRASE(From, "von", "from")
PHRASE(To, "bis", "to")
PHRASE(Open2, "Öffnen", "Open")
PHRASE(Export, "Exportieren", "Export")
PHRASE(Delete, "Löschen", "Delete")
PHRASE(Close, "Schließen", "Close")
PHRASE(Series, "%1 Messreihen", "%1 series")
PHRASE(TheArchiveIsNotAvailable, "Das Archiv ist nicht verfügbar.", "The archive is not available.")
PHRASE(DeleteSeriesValuesOfFrom, "Messreihe #%1 (%2, %3, %4 Werte vom %5) endgültig aus dem Archiv löschen?",
       "Delete series #%1 (%2, %3, %4 values of %5) from the archive for good?")
// CliExport
PHRASE(OutNamesTheInputFile, "--out nennt die Eingabedatei; sie bleibt, wie sie ist",
       "--out names the input file; it is left as it is")
PHRASE(NotAMeasurementFile, "keine Messdatei", "not a measurement file")
// CliHistory
PHRASE(NoArchiveYet, "noch kein Archiv", "no archive yet")
PHRASE(Damaged, "beschädigt", "damaged")
PHRASE(MadeByANewerVersion, "von einer neueren Programmversion", "made by a newer version")
PHRASE(CannotBeRead, "nicht lesbar", "cannot be read")
PHRASE(NoSeriesInTheArchive, "keine Messreihe %1 im Archiv", "no series %1 in the archive")
PHRASE(SeriesCannotBeOpened, "Messreihe %1 kann nicht geöffnet werden", "series %1 cannot be opened")
// CliOnline
PHRASE(LinesWithoutAValidValue, "%1 Zeilen ohne gültigen Messwert nicht übernommen",
       "%1 lines without a valid value not taken over")
PHRASE(NoValueWithinS, "kein Wert innerhalb von %1 s", "no value within %1 s")
// CliSession
PHRASE(NoCompleteAnswerFromThe, "keine vollständige Antwort vom Gerät innerhalb von %1 s",
       "no complete answer from the device within %1 s")
PHRASE(NoValidAnswerOfA, "keine gültige Antwort eines Messgeräts; nicht verbunden",
       "no valid answer of a gauge; not connected")
// frmVerlauf columns and export menu
PHRASE(HistoryDate, "Datum", "Date")
PHRASE(HistoryKind, "Art", "Kind")
PHRASE(HistoryGauge, "Messgerät", "Gauge")
PHRASE(HistoryPort, "Schnittstelle", "Port")
PHRASE(HistoryProject, "Projekt", "Project")
PHRASE(HistoryCount, "Anzahl", "Count")
PHRASE(HistoryMean, "Mittelwert", "Mean")
PHRASE(HistoryVerdict, "Ergebnis", "Verdict")
PHRASE(HistoryToMes, "Messdatei (.mes) ...", "Data file (.mes) ...")
PHRASE(HistoryToPrinter, "Drucken ...", "Print ...")
// Identification
PHRASE(InvalidProcedureCallOrArgument, "Ungültiger Prozeduraufruf oder ungültiges Argument",
       "Invalid procedure call or argument")
// InspectionRules
PHRASE(Rule8020Heading, "Die 80/20 Regel nach ISO 19840 :", "The 80/20 rule according to ISO 19840 :")
PHRASE(Rule8020Mean, "1) Der Mittelwert aller Meßwerte muß gleich oder größer dem eingegeben Sollwert(NDFT) sein.",
       "1) The arithmetic mean value has to be equal or higher than the target Value(NDFT Nominal Dry Film Thickness)")
PHRASE(Rule8020Min, "2) Jeder gemessene Wert muss mindestens 80% des Sollwerts sein. Min Limit = 80% vom Sollwert",
       "2) Each value has to be minimun 80% of the Target Value, Min Limit = 80% of target Limit")
PHRASE(Rule8020Share, "3) Maximal 20 % aller Werte dürfen in einem Bereich zwischen MinLimit und Sollwert liegen",
       "3) Maximum 20 % of all values are allowed to be between Min Limit and Target Value")
PHRASE(Rule8020Max, "4) Jeder Wert muss kleiner oder gleich dem Max Limit sein",
       "4) Each value has to be less or equal than Max Limit")
PHRASE(Rule8020Roughness,
       "%1) Rauheitskorrektur: für die Auswertung werden von jedem µm-Wert %2 µm abgezogen; die Tabelle zeigt die "
       "gemessenen Werte",
       "%1) Roughness correction: %2 µm are subtracted from each µm value for the evaluation; the table shows the "
       "values as measured")
PHRASE(Rule8020Area, "%1) Prüffläche %2 (m² oder m): mindestens %3 Meßwerte",
       "%1) Inspection area %2 (m² or m): at least %3 readings")
PHRASE(Rule8020Legend,
       "Kennzeichnung in Tabelle:  Wert ok = grün, Wert höher Max oder unter Min = red, Wert zwischen 80 and 100% = "
       "orange",
       "Appearance in table: value ok = green, value higher max or lower Min = red, value between 80 and 100% = orange")
PHRASE(Rule9010Heading, "Die 90/10 Regel nach IMO PSPC :", "The 90/10 rule according to IMO PSPC :")
PHRASE(Rule9010AtTarget, "1) Mindestens 90 % aller Meßwerte müssen gleich oder größer dem Sollwert(NDFT) sein.",
       "1) At least 90 % of all values have to be equal or higher than the Target Value(NDFT)")
PHRASE(Rule9010Min, "2) Kein Wert darf unter 90 % des Sollwerts liegen. Min Limit = 90% vom Sollwert",
       "2) No value may be below 90 % of the Target Value, Min Limit = 90% of target Limit")
PHRASE(Rule9010Share, "3) Maximal 10 % aller Werte dürfen zwischen 90 % und 100 % des Sollwerts liegen",
       "3) Maximum 10 % of all values are allowed to be between 90 % and 100 % of the Target Value")
PHRASE(Rule9010Max, "4) Ist ein Max Limit eingegeben, muss jeder Wert kleiner oder gleich dem Max Limit sein",
       "4) With a Max Limit, each value has to be less or equal than Max Limit")
PHRASE(Rule9010Legend,
       "Kennzeichnung in Tabelle:  Wert ok = grün, Wert höher Max oder unter 90% = rot, Wert zwischen 90 und 100% = "
       "orange",
       "Appearance in table: value ok = green, value higher max or lower 90% = red, value between 90 and 100% = orange")
PHRASE(Pa2Heading, "Die Regel nach SSPC-PA 2 :", "The rule according to SSPC-PA 2 :")
PHRASE(Pa2Spots, "1) Je %1 aufeinanderfolgende Werte bilden einen Spot (ihr Mittelwert), je %2 Spots eine Fläche",
       "1) Each %1 consecutive values form a spot (their mean), each %2 spots an area")
PHRASE(Pa2SpotLimits, "2) Jeder Spot muss mindestens %1 % des Min Limits und höchstens %2 % des Max Limits sein (%3)",
       "2) Each spot has to be at least %1 % of Min Limit and at most %2 % of Max Limit (%3)")
PHRASE(Pa2Level3, "Stufe 3", "level 3")
PHRASE(Pa2CustomLevel, "eigene Stufe", "custom level")
PHRASE(Pa2AreaLimits, "3) Jede Fläche muss zwischen Min Limit und Max Limit liegen",
       "3) Each area has to be between Min Limit and Max Limit")
PHRASE(Pa2SingleValues,
       "4) Einzelwerte sind nicht beschränkt; ein unvollständiger letzter Spot oder letzte Fläche ist offen und wird "
       "nicht bewertet",
       "4) Single values are not restricted; an incomplete last spot or area is open and not judged")
PHRASE(Pa2Legend,
       "Kennzeichnung in Tabelle:  jeder Wert nach seinem Spot: Spot ok = grün, Spot außerhalb = rot, offener Spot = "
       "ohne Farbe",
       "Appearance in table: each value by its spot: spot ok = green, spot outside = red, open spot = no colour")
// ArchiveRecorder
PHRASE(Server, "Server #%1", "Server #%1")
// team archive on a server
PHRASE(ServerThisComputer, "Dieser Computer", "This computer")
PHRASE(ServerServer, "Server", "Server")
PHRASE(ServerWaiting, "Auf den Server warten %1 Messreihen.", "%1 series wait for the server.")
PHRASE(ServerAllUploaded, "Alle Messreihen sind auf dem Server.", "Every series is on the server.")
PHRASE(ServerLastFailure, "Letzter Fehler: %1", "Last failure: %1")
PHRASE(
    ServerUnreachable,
    "Der Server ist nicht erreichbar (%1). Die Messreihen bleiben auf diesem Computer und werden hochgeladen, sobald "
    "er erreichbar ist.",
    "The server cannot be reached (%1). The series stay on this computer and are uploaded as soon as it can be "
    "reached.")
PHRASE(ServerRefused,
       "Der Server lässt diesen Benutzer nicht an das Archiv (%1). Bitte Benutzer und Passwort (~/.pgpass) oder "
       "Zertifikat prüfen; die Messreihen bleiben auf diesem Computer.",
       "The server does not let this user at the archive (%1). Please check the user and password (~/.pgpass) or "
       "certificate; the series stay on this computer.")
PHRASE(ServerNoArchive,
       "Die Datenbank auf dem Server enthält kein Archiv dieses Programms (docs/archive-server.sql). Die Messreihen "
       "bleiben auf diesem Computer.",
       "The database on the server holds no archive of this program (docs/archive-server.sql). The series stay on "
       "this computer.")
PHRASE(ServerOtherSchema,
       "Das Archiv auf dem Server hat Version %1, dieses Programm braucht Version %2. Hochgeladen wird erst, wenn "
       "beide zusammenpassen; die Messreihen bleiben auf diesem Computer.",
       "The archive on the server is version %1; this program needs version %2. Nothing is uploaded until they match; "
       "the series stay on this computer.")
PHRASE(ServerNoDriver,
       "Der PostgreSQL-Treiber von Qt fehlt (Paket libqt6sql6-psql). Die Messreihen bleiben auf diesem Computer.",
       "Qt's PostgreSQL driver is missing (package libqt6sql6-psql). The series stay on this computer.")
PHRASE(ServerUploadFailed, "Hochladen unterbrochen (%1); es wird später wiederholt.",
       "Upload cut short (%1); it is tried again later.")
PHRASE(ServerLocalUnreadable, "Das Archiv dieses Computers kann nicht gelesen werden (%1).",
       "The archive of this computer cannot be read (%1).")
PHRASE(ServerNoServer, "Kein Server eingerichtet (Server.ini).", "No server set up (Server.ini).")
PHRASE(ServerListed, "%1 Messreihen auf dem Server (höchstens %2 gezeigt)",
       "%1 series on the server (at most %2 shown)")
