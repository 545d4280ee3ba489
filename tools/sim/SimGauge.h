#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <random>

// One stored or online value. `text` keeps the value exactly as a memory file wrote it; empty means "format it".
struct SimValue {
    double value = 0.0;
    QString unit;
    QString material;
    QByteArray text;
};

// A piece of output: silence on the line for pauseMs, then data, then the action (once data is on the line).
struct SimChunk {
    enum class Action { None, SwitchOff, Unplug };
    QByteArray data;
    int pauseMs = 0;
    Action action = Action::None;
    qint64 queuedAt = 0; // when it was put on the line's queue (the runner's clock)
};

// Fixed facts of an edition, as the program's edition table has them.
struct SimModelInfo {
    QString code;        // "RD", "FT", "VX1", "VX5", "VX2", "QL7"
    QString memoryMode;  // "2", "3", "1", "X"
    QChar interfaceKind; // 'B' Bluetooth, 'K' cable
    QChar deviceLine;    // 'E' or 'V'
    QChar materialMode;  // '1', '2', '0'
    QChar signMode;      // '+' or '-'
    int memories = 0;    // memories the gauge answers for: 0, 1 or 2
    bool coating = true; // coating thickness (µm, mm) or magnetic/flux units
    QString defaultVariant;
    QString defaultUnit;
    double defaultMean = 0.0;
    double defaultSpread = 0.0;
    QString defaultProbe;
};

struct SimGaugeConfig {
    QString model = QStringLiteral("RD");
    QString variant; // first identification line starts with it; empty: model's
    QString serial = QStringLiteral("SN 100234");
    QString firmware = QStringLiteral("2.14");
    QString mac = QStringLiteral("00:1A:7D:DA:71:13");
    QString probeType; // empty: model's
    QString probeVersion = QStringLiteral("1.07");
    QString material;     // online material; empty: "Fe" for coating gauges
    bool ym = false;      // send "ym" in place of the µ byte
    int memoryNumber = 1; // number in the "M" line of one-memory-at-a-time gauges
    int select = 1;       // FT: memory selected on the gauge (2 = scan memory)
    // faults that shape the answers
    bool silent = false;
    bool noEot = false;
    bool garbage = false;
    bool split = false;
    int splitPauseMs = 250;
    bool recordsBeforeStx = false;
    int switchOffAfter = -1; // EM after this many records / online values
    bool unplugMidAnswer = false;
    // a hostile device, for the program's bounds
    bool endless = false;       // answers never end: records follow, no EOT
    bool endlessMemory = false; // the same for memory answers only
    bool drip = false;          // answers come one byte at a time, dripMs apart
    int dripMs = 1000;
    bool noLineEnd = false;    // online values without their line end
    bool hugeCount = false;    // memories announced with 999999999 values
    bool controlChars = false; // terminal commands in the firmware text, control
                               // characters in unit and material
    bool nanValues = false;    // every third value "NaN" (every sixth "inf")
    quint32 seed = 1;
};

// The gauge itself: memories, identification, record layout and online values. No I/O here, so the produced bytes
// can be checked directly.
class SimGauge
{
public:
    static constexpr char STX = 2;
    static constexpr char EOT = 4;
    static constexpr char EM = 25;
    static constexpr int ScanMemoryNumber = 96;
    static constexpr int MaxNumber = 9999; // the value number has four columns

    static std::optional<SimModelInfo> modelInfo(const QString& code);
    static QStringList modelCodes();
    static QStringList unitsFor(const SimModelInfo& info);
    static QString canonicalUnit(const QString& unit); // "um"/"µm"/"ym" -> "µm", others as known, else empty

    // One record line without CR LF: number (1-4), blanks, value (7-16), blank, unit (18-21), blank, material (23-25).
    static QByteArray formatRecord(int nr, const SimValue& value, bool ym);
    static QByteArray formatValue(double value, const QString& unit);

    // Memory file: one value per line, optional unit and material columns; '#' comments. Error text names the line.
    static std::optional<QList<SimValue>> loadMemoryFile(const QString& path, const QString& defaultUnit,
                                                         const QString& defaultMaterial, QString* error);

    explicit SimGauge(const SimGaugeConfig& config);

    const SimModelInfo& info() const { return m_info; }
    const SimGaugeConfig& config() const { return m_config; }

    void generateMemory(int memory, int count, double mean, double spread, const QString& unit);
    void setMemory(int memory, const QList<SimValue>& values);
    const QList<SimValue>& memory(int memory) const;

    QString identificationFirstLine() const;
    QByteArray identificationText() const; // without EOT
    // Answer to one command (8 characters such as "$kova00$"); empty list when the gauge keeps quiet.
    QList<SimChunk> answer(const QByteArray& command);
    // Next online value: given, or drawn around the first memory's mean; empty list while switched off.
    QList<SimChunk> onlineValue(std::optional<double> value = std::nullopt);
    // The next piece of an answer that never ends ("endless" faults): records, about 4 KB.
    QByteArray endlessPiece();

    bool isOn() const { return m_on; }
    void switchOn() { m_on = true; }
    void switchOff() { m_on = false; }
    int onlineCount() const { return m_onlineNr - 1; }

private:
    QList<SimChunk> memoryAnswer(int memory);
    int memoryNumberInAnswer(int memory) const;
    QByteArray garbageLine();
    double drawValue(double mean, double spread);
    void appendRecord(QList<SimChunk>& out, const QByteArray& line, bool split);
    QByteArray hostileRecord(int nr, SimValue value, int index) const;
    QList<SimChunk> dripped(const QList<SimChunk>& chunks) const;

    SimGaugeConfig m_config;
    SimModelInfo m_info;
    QList<SimValue> m_memories[2];
    std::mt19937 m_random;
    double m_onlineMean = 0.0;
    double m_onlineSpread = 0.0;
    QString m_onlineUnit;
    int m_onlineNr = 1;
    int m_recordsSent = 0; // counts toward switchOffAfter
    bool m_on = true;
};
