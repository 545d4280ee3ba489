#include "SimGauge.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace {

const QByteArray CrLf("\r\n");

QString micro()
{
    return QString(QChar(0x00B5)) + QLatin1Char('m');
}

int decimalsFor(double value, const QString& unit)
{
    const double a = std::fabs(value);
    if (unit == micro())
        return a < 100.0 ? 1 : 0;
    if (unit == QLatin1String("mm"))
        return a < 1.0 ? 4 : 3;
    if (unit == QLatin1String("G") || unit == QLatin1String("Oe"))
        return 1;
    if (unit == QLatin1String("A/cm"))
        return 2;
    return 3; // kOe, kA/m, mVs
}

} // namespace

std::optional<SimModelInfo> SimGauge::modelInfo(const QString& code)
{
    // code, memoryMode, interfaceKind, deviceLine, materialMode, signMode, memories, coating, variant, unit,
    // mean, spread, probe
    static const QList<SimModelInfo> models = {
        {"RD", "2", 'B', 'E', '1', '+', 2, true, "FN-B", micro(), 120.0, 15.0, "F1.5"},
        {"FT", "3", 'K', 'E', '2', '+', 2, true, "FT-S", micro(), 250.0, 30.0, "FN2"},
        {"VX1", "1", 'B', 'V', '0', '-', 1, false, "VX-1", "kA/m", 1.5, 0.8, "H1"},
        {"VX5", "1", 'K', 'V', '0', '-', 1, false, "VX-5", "A/cm", 12.0, 6.0, "H5"},
        {"VX2", "3", 'K', 'V', '0', '-', 1, false, "VX-2", "mVs", 0.25, 0.1, "C2"},
        {"QL7", "X", 'K', 'V', '0', '-', 0, false, "QL-7", "G", 3.0, 2.0, "Q7"},
    };
    for (const SimModelInfo& m : models) {
        if (m.code.compare(code, Qt::CaseInsensitive) == 0)
            return m;
    }
    return std::nullopt;
}

QStringList SimGauge::modelCodes()
{
    return {"RD", "FT", "VX1", "VX5", "VX2", "QL7"};
}

QStringList SimGauge::unitsFor(const SimModelInfo& info)
{
    if (info.coating)
        return {micro(), "mm"};
    return {"G", "Oe", "kOe", "A/cm", "kA/m", "mVs"};
}

QString SimGauge::canonicalUnit(const QString& unit)
{
    const QString u = unit.trimmed();
    if (u == micro() || u == QLatin1String("um") || u == QLatin1String("ym") || u == QString(QChar(0x03BC)) + "m")
        return micro();
    static const QStringList known = {"mm", "G", "Oe", "kOe", "A/cm", "kA/m", "mVs"};
    for (const QString& k : known) {
        if (k.compare(u, Qt::CaseInsensitive) == 0)
            return k;
    }
    return {};
}

QByteArray SimGauge::formatValue(double value, const QString& unit)
{
    for (int decimals = decimalsFor(value, unit); decimals >= 0; --decimals) {
        const QByteArray text = QByteArray::number(value, 'f', decimals);
        if (text.size() <= 10)
            return text;
    }
    return QByteArray::number(value, 'f', 0).left(10);
}

QByteArray SimGauge::formatRecord(int nr, const SimValue& value, bool ym)
{
    QByteArray unit;
    if (value.unit == micro())
        unit = ym ? QByteArray("ym") : QByteArray("\xB5m");
    else
        unit = value.unit.toLatin1();
    const QByteArray text = value.text.isEmpty() ? formatValue(value.value, value.unit) : value.text;
    QByteArray line = QByteArray::number(nr).rightJustified(4, ' ', true);
    line += "  ";
    line += text.rightJustified(10, ' ', true);
    line += ' ';
    line += unit.leftJustified(4, ' ', true);
    line += ' ';
    line += value.material.trimmed().toLatin1().rightJustified(3, ' ', true);
    return line;
}

std::optional<QList<SimValue>> SimGauge::loadMemoryFile(const QString& path, const QString& defaultUnit,
                                                        const QString& defaultMaterial, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1252("windows-1252");
        text = cp1252.decode(bytes);
    }
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    QList<SimValue> values;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const int hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        const QStringList fields = line.split(separators, Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        const auto fail = [&](const QString& why) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(why);
            return std::nullopt;
        };
        if (fields.size() > 3)
            return fail(QStringLiteral("too many columns (value [unit [material]])"));
        QString valueText = fields[0];
        valueText.replace(QLatin1Char(','), QLatin1Char('.'));
        if (!number.match(valueText).hasMatch())
            return fail(QStringLiteral("not a number: \"%1\"").arg(fields[0]));
        SimValue v;
        v.value = valueText.toDouble();
        v.text = valueText.toLatin1();
        if (v.text.size() > 10)
            v.text.clear(); // too wide for the value columns: formatted instead
        v.unit = defaultUnit;
        if (fields.size() > 1) {
            v.unit = canonicalUnit(fields[1]);
            if (v.unit.isEmpty())
                return fail(QStringLiteral("unknown unit \"%1\"").arg(fields[1]));
        }
        v.material = defaultMaterial;
        if (fields.size() > 2) {
            if (fields[2].size() > 3)
                return fail(QStringLiteral("material longer than 3 characters: \"%1\"").arg(fields[2]));
            v.material = fields[2];
        }
        if (values.size() >= MaxNumber)
            return fail(QStringLiteral("more than %1 values").arg(MaxNumber));
        values.append(v);
    }
    return values;
}

SimGauge::SimGauge(const SimGaugeConfig& config)
    : m_config(config), m_info(*modelInfo(config.model)), m_random(config.seed)
{
    if (m_config.variant.isEmpty())
        m_config.variant = m_info.defaultVariant;
    if (m_config.probeType.isEmpty())
        m_config.probeType = m_info.defaultProbe;
    if (m_config.material.isEmpty() && m_info.coating)
        m_config.material = QStringLiteral("Fe");
    m_onlineMean = m_info.defaultMean;
    m_onlineSpread = m_info.defaultSpread;
    m_onlineUnit = m_info.defaultUnit;
}

double SimGauge::drawValue(double mean, double spread)
{
    // Box-Muller on the raw generator, so a seed gives the same values with every standard library.
    const double u1 = (double(m_random()) + 0.5) / 4294967296.0;
    const double u2 = (double(m_random()) + 0.5) / 4294967296.0;
    double v = mean + spread * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
    if (m_info.signMode == QLatin1Char('+'))
        v = std::fabs(v);
    return std::clamp(v, -999999.0, 9999999.0);
}

void SimGauge::generateMemory(int memory, int count, double mean, double spread, const QString& unit)
{
    QList<SimValue> values;
    count = std::clamp(count, 0, int(MaxNumber));
    QString material = m_config.material;
    if (m_info.code == QLatin1String("RD"))
        material = (memory == 2 && m_config.variant.startsWith(QLatin1String("FN"))) ? "NFe" : "Fe";
    for (int i = 0; i < count; ++i) {
        SimValue v;
        v.unit = unit;
        v.material = material;
        v.value = drawValue(mean, spread);
        // store the value as it is sent, so online and memory values read back exactly
        v.value = formatValue(v.value, unit).toDouble();
        values.append(v);
    }
    m_memories[memory == 2 ? 1 : 0] = values;
    if (memory == 1) {
        m_onlineMean = mean;
        m_onlineSpread = spread;
        m_onlineUnit = unit;
    }
}

void SimGauge::setMemory(int memory, const QList<SimValue>& values)
{
    m_memories[memory == 2 ? 1 : 0] = values.mid(0, MaxNumber);
    if (memory == 1 && !values.isEmpty())
        m_onlineUnit = values.first().unit;
}

const QList<SimValue>& SimGauge::memory(int memory) const
{
    return m_memories[memory == 2 ? 1 : 0];
}

QString SimGauge::identificationFirstLine() const
{
    return m_config.variant + QLatin1Char(' ') + m_config.serial;
}

int SimGauge::memoryNumberInAnswer(int memory) const
{
    if (m_info.code == QLatin1String("FT") && memory == 2)
        return ScanMemoryNumber;
    if (m_info.memoryMode == QLatin1String("3"))
        return m_config.memoryNumber;
    return memory;
}

QByteArray SimGauge::identificationText() const
{
    QByteArray out = identificationFirstLine().toLatin1() + CrLf;
    out += "VD:" + m_config.firmware.toLatin1() + CrLf;
    if (m_config.controlChars) // a window title, the clipboard set to "pwned", the screen cleared
        out.insert(out.size() - 2, "\x1b]0;owned\x07\x1b]52;c;cHduZWQ=\x07\x1b[2J\x9b"
                                   "31m");
    const QString& mode = m_info.memoryMode;
    const auto count = [&](int memory) {
        return m_config.hugeCount ? QByteArray("999999999") : QByteArray::number(this->memory(memory).size());
    };
    if (mode == QLatin1String("2")) {
        out += "M1:" + count(1) + CrLf;
        out += "M2:" + count(2) + CrLf;
    } else if (mode == QLatin1String("1")) {
        out += "M1:" + count(1) + CrLf;
    } else if (mode == QLatin1String("3")) {
        // these gauges report only the memory selected on the gauge; the program reads it as memory 1
        const int selected = (m_config.select == 2 && m_info.memories == 2) ? 2 : 1;
        out += 'M' + QByteArray::number(memoryNumberInAnswer(selected)) + ':' + count(selected) + CrLf;
    }
    out += "AD:" + m_config.mac.toLatin1() + CrLf;
    out += "PT:" + m_config.probeType.toLatin1() + CrLf;
    out += "VP:" + m_config.probeVersion.toLatin1() + CrLf;
    return out;
}

QByteArray SimGauge::garbageLine()
{
    // Starts with punctuation (never a digit, blank or a letter an identification line starts with) and holds no
    // framing characters.
    static const char starts[] = "#%&?!~*";
    static const char body[] = "@#$%^&*()_+=-{}[]|<>?/.,;:'\"`~ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 \xA7\xE4\xFE\xB0";
    QByteArray line(1, starts[m_random() % (sizeof(starts) - 1)]);
    const int length = 8 + int(m_random() % 24);
    for (int i = 0; i < length; ++i)
        line += body[m_random() % (sizeof(body) - 1)];
    return line + CrLf;
}

void SimGauge::appendRecord(QList<SimChunk>& out, const QByteArray& line, bool split)
{
    if (out.isEmpty() || out.last().action != SimChunk::Action::None)
        out.append(SimChunk{});
    if (!split) {
        out.last().data += line + CrLf;
        return;
    }
    const int half = line.size() / 2;
    out.last().data += line.left(half);
    out.append(SimChunk{line.mid(half) + CrLf, m_config.splitPauseMs, SimChunk::Action::None});
}

QList<SimChunk> SimGauge::answer(const QByteArray& command)
{
    if (m_config.silent || !m_on)
        return {};
    if (command == "$kova10$")
        return memoryAnswer((m_info.code == QLatin1String("FT") && m_config.select == 2) ? 2 : 1);
    if (command == "$kova11$")
        return memoryAnswer(2);
    if (command != "$kova00$")
        return {};
    QList<SimChunk> out;
    QByteArray text = identificationText();
    if (m_config.garbage) {
        const int afterFirst = text.indexOf(CrLf) + 2;
        text.insert(afterFirst, garbageLine());
    }
    if (m_config.split) {
        const int cut = text.indexOf(CrLf) / 2;
        out.append(SimChunk{text.left(cut), 0, SimChunk::Action::None});
        out.append(SimChunk{text.mid(cut), m_config.splitPauseMs, SimChunk::Action::None});
    } else {
        out.append(SimChunk{text, 0, SimChunk::Action::None});
    }
    if (!m_config.noEot && !m_config.endless)
        out.last().data += EOT;
    return dripped(out);
}

// Every byte a chunk of its own, after a pause; an action stays with the last byte of its chunk.
QList<SimChunk> SimGauge::dripped(const QList<SimChunk>& chunks) const
{
    if (!m_config.drip)
        return chunks;
    QList<SimChunk> out;
    for (const SimChunk& c : chunks) {
        for (int i = 0; i < c.data.size(); ++i)
            out.append(SimChunk{c.data.mid(i, 1), m_config.dripMs, SimChunk::Action::None});
        if (c.data.isEmpty())
            out.append(SimChunk{{}, c.pauseMs, SimChunk::Action::None});
        out.last().action = c.action;
    }
    return out;
}

QByteArray SimGauge::hostileRecord(int nr, SimValue value, int index) const
{
    if (m_config.nanValues && index % 3 == 2)
        value.text = index % 6 == 5 ? QByteArray("inf") : QByteArray("NaN");
    QByteArray line = formatRecord(nr, value, m_config.ym);
    if (m_config.controlChars) {
        // Backspace and bell in the unit, escape in the material: typed as they are they act in the receiver.
        line.replace(19, 2, "\x08\x07");
        line.replace(22, 3,
                     "F\x1b"
                     "e");
    }
    return line;
}

QByteArray SimGauge::endlessPiece()
{
    QByteArray out;
    const SimValue v{drawValue(m_onlineMean, m_onlineSpread), m_onlineUnit, m_config.material, {}};
    while (out.size() < 4096) {
        out += formatRecord(m_onlineNr, v, m_config.ym) + CrLf;
        m_onlineNr = m_onlineNr >= MaxNumber ? 1 : m_onlineNr + 1;
    }
    return out;
}

QList<SimChunk> SimGauge::memoryAnswer(int memory)
{
    const QList<SimValue> none;
    const QList<SimValue>& values = (m_info.memories >= memory) ? this->memory(memory) : none;
    QList<SimChunk> out;
    QByteArray head = identificationFirstLine().toLatin1() + CrLf;
    const int number = memoryNumberInAnswer(memory);
    head += (number == ScanMemoryNumber && m_info.code == QLatin1String("FT")) ? QByteArray("SCAN")
                                                                               : "MEMORY " + QByteArray::number(number);
    head += CrLf + "N:" + QByteArray::number(values.size()) + CrLf;
    if (m_config.garbage)
        head += garbageLine();
    const QByteArray stxLine = QByteArray(1, STX) + CrLf;
    if (!m_config.recordsBeforeStx)
        head += stxLine;
    out.append(SimChunk{head, 0, SimChunk::Action::None});

    const int unplugAt = m_config.unplugMidAnswer ? std::max(1, int(values.size()) / 2) : -1;
    for (int i = 0; i < values.size(); ++i) {
        if (m_config.switchOffAfter >= 0 && i >= m_config.switchOffAfter) {
            out.append(SimChunk{QByteArray(1, EM), 0, SimChunk::Action::SwitchOff});
            m_on = false;
            return out;
        }
        if (i == unplugAt) {
            out.append(SimChunk{{}, 0, SimChunk::Action::Unplug});
            return out;
        }
        appendRecord(out, hostileRecord(i + 1, values[i], i), m_config.split && i % 10 == 0);
        if (m_config.garbage && i % 7 == 3)
            appendRecord(out, garbageLine().chopped(2), false);
    }
    if (unplugAt >= 0) { // empty memory: unplug right after the heading
        out.append(SimChunk{{}, 0, SimChunk::Action::Unplug});
        return out;
    }
    if (m_config.endless || m_config.endlessMemory) // the records go on while the answer stands
        return dripped(out);
    QByteArray tail;
    if (m_config.recordsBeforeStx)
        tail += stxLine;
    else
        tail += "    N=" + QByteArray::number(values.size()) + CrLf; // four blanks: not a record
    if (!m_config.noEot)
        tail += EOT;
    if (m_config.switchOffAfter == values.size()) { // all records out: the answer ends, then the gauge goes off
        tail += EM;
        out.append(SimChunk{tail, 0, SimChunk::Action::SwitchOff});
        m_on = false;
        return out;
    }
    out.append(SimChunk{tail, 0, SimChunk::Action::None});
    return dripped(out);
}

QList<SimChunk> SimGauge::onlineValue(std::optional<double> value)
{
    if (!m_on || m_config.silent)
        return {};
    SimValue v;
    v.unit = m_onlineUnit;
    v.material = m_config.material;
    v.value = value ? *value : drawValue(m_onlineMean, m_onlineSpread);
    QList<SimChunk> out;
    if (m_config.garbage && m_onlineNr % 7 == 0)
        appendRecord(out, garbageLine().chopped(2), false);
    if (m_config.noLineEnd)
        out.append(SimChunk{hostileRecord(m_onlineNr, v, m_onlineNr - 1), 0, SimChunk::Action::None});
    else
        appendRecord(out, hostileRecord(m_onlineNr, v, m_onlineNr - 1), m_config.split);
    m_onlineNr = m_onlineNr >= MaxNumber ? 1 : m_onlineNr + 1;
    ++m_recordsSent;
    if (m_config.switchOffAfter >= 0 && m_recordsSent >= m_config.switchOffAfter) {
        out.append(SimChunk{QByteArray(1, EM), 0, SimChunk::Action::SwitchOff});
        m_on = false;
    }
    return out;
}
