#pragma once

#include <QString>

namespace shell {

// Entries of the message table by name; the values are the table numbers.
enum class Msg {
    NrHeading = 0,
    ValueHeading = 1,
    UnitHeading = 2,
    EnterPort = 3,
    NoFileSelected = 4,
    InvalidPort = 5,
    FeMemory = 6,
    NfeMemory = 7,
    Online = 8,
    CopyToClipboard = 9,
    Statistics = 10,
    FeMemory2 = 11,
    NfeMemory12 = 12,
    PleaseWait = 13,
    ProgramTitle = 14,
    FeMemory1 = 15,
    DateColon = 16,
    Done = 17,
    FeEmpty = 18,
    NfeEmpty = 19,
    Data = 20,
    Commands = 21,
    DeviceInfoError = 22,
    CopyDataTo = 23,
    SelectPort = 24,
    NumericRequired = 25,
    DataMismatch = 26,
    Memory1Empty = 27,
    Memory2Empty = 28,
    DeviceUnavailable = 29,
    ReadStorage = 30,
    NoPort = 31,
    Memory = 32,
    MemoryEmpty = 33,
    NoEntrySelected = 34,
    MinAboveMax = 35,
    TargetOutsideLimits = 36,
    DeviceMemoryKept = 37,
    ProjectData = 38,
    Limits = 39,
    DeleteRow = 40,
    DeleteTable = 41,
    Ready = 42,
    Device = 43,
    DeviceSoftware = 44,
    Target = 45,
    DateTime = 46,
    StorageEmpty = 47,
    PleaseDeleteTable = 48,
    ExcelWithChart = 49,
    ReallyDeleteTable = 50,
    ReallyDeleteRow = 51,
    OnlyPositive = 52,
    MaxValuesExceeded = 53,
    OnlyOneRow = 54,
    Stop = 55,
    Continue = 56,
    TargetFor8020 = 57,
    Yes = 58,
    No = 59,
    MinLimitAdjusted = 60,
    To = 61,
    KeyEventsTitle = 62,
    KeyEventsInfo = 63,
    ActivateFunction = 64,
    TargetApplication = 65,
    ValuesIncluding = 66,
    DateLabel = 67,
    EndOfLine = 68,
    None = 69,
    NrLabel = 70,
};

// Entries of the statistics table by name.
enum class Stat {
    Count = 1,
    Maximum = 2,
    Minimum = 3,
    Mean = 4,
    Deviation = 5,
    Heading = 6,
    NotPossible = 7,
    DifferentUnits = 8,
    Units = 9,
    Target = 10,
    WithAbsolute = 11,
    LineBar = 12,
    DataLegend = 13,
    Rule8020 = 14,
};

// Entries of the caption table by name.
enum class Cap {
    File = 0,
    Open = 1,
    Save = 2,
    Print = 3,
    EndProgram = 4,
    ExitButton = 5,
    Language = 30,
    English = 31,
    German = 32,
    Help = 40,
    Info = 41,
    Manual = 42,
    SaveButton = 43,
    DeleteButton = 44,
    KeyEvents = 45,
    Connect = 50,
    Connected = 53,
    NotConnected = 55,
};

// Texts of the team archive on a server (German, English), by name.
enum class Srv {
    ThisComputer,
    Server,
    Waiting, // %1 series wait for the server
    AllUploaded,
    LastFailure, // %1 what went wrong
    Unreachable, // %1 libpq's description
    Refused,     // %1 the server's description
    NoArchive,   // the database holds no archive
    OtherSchema, // %1 the server's version, %2 the program's
    NoDriver,
    UploadFailed, // %1 the server's description
    LocalUnreadable,
    NoServer,
    Listed, // %1 series shown (at most %2)
};
QString serverText(Srv entry, int sprache);

// The three language tables. Slot 0 German, 1 English, 2 never filled.
class Texte
{
public:
    static constexpr int kMessages = 81;
    static constexpr int kStats = 21;
    static constexpr int kCaptions = 61;
    static constexpr int kSlots = 3;

    // Fills messageTable and statTable; entry 14 is the program title in both languages.
    void LoadMessageTable(const QString& programTitle);
    void LoadCaptionTable();

    // Lookups in the current language.
    QString msg(Msg entry) const { return lookup(messageTable, kMessages, int(entry)); }
    QString stat(Stat entry) const { return lookup(statTable, kStats, int(entry)); }
    QString cap(Cap entry) const { return lookup(captionTable, kCaptions, int(entry)); }

    // Lookup in an explicit language slot.
    QString msgIn(Msg entry, int lang) const;

    // 0 German, 1 English. Kept in 0..2 so every lookup stays inside the tables.
    int sprache = 0;

    QString messageTable[kMessages][kSlots];
    QString statTable[kStats][kSlots];
    QString captionTable[kCaptions][kSlots];

private:
    QString lookup(const QString (*table)[kSlots], int size, int entry) const;
};

} // namespace shell
