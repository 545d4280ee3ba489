#include "SimOptions.h"

#include <QMap>

#include <functional>

QString SimOptions::usage()
{
    return QStringLiteral(
        "usage: varnotek-sim [--model RD|FT|VX1|VX5|VX2|QL7] [--com N] [--count1 N] [--count2 N] [--mean X]\n"
        "                    [--spread S] [--unit U] [--seed K] [--memory1 FILE] [--memory2 FILE] [--online]\n"
        "                    [--interval MS] [--keypress] [--switch-off-after N] [--fault NAME[,NAME...]]\n"
        "                    [--fast] [more: see --help]\n");
}

QString SimOptions::helpText()
{
    return QStringLiteral(R"(varnotek-sim - a simulated Varnotek hand-held gauge on a pseudo-terminal

The first line on stdout is the device path of the terminal (for example /dev/pts/4); open it at
38400,n,8,1. Nothing else is written to stdout; messages go to stderr.

Gauge:
  --model CODE          RD (default), FT, VX1, VX5, VX2, QL7.
                          RD   two memories, Bluetooth, "E" line; answers as FN-B (Fe/NFe memories)
                          FT   cable, "E" line; memory 1 plus the scan memory (number 96, 96 values)
                          VX1  one memory, Bluetooth, "V" line      VX5  one memory, cable, "V" line
                          VX2  one memory (reported by its number), cable, "V" line
                          QL7  no memory, cable, online only ("V" line)
  --variant TEXT        first identification line starts with TEXT (RD: FN-B or FE-B; default by model:
                        FN-B, FT-S, VX-1, VX-5, VX-2, QL-7)
  --serial TEXT         rest of the first identification line (default "SN 100234")
  --firmware TEXT       VD line (default 2.14)          --mac TEXT       AD line (default 00:1A:7D:DA:71:13)
  --probe TEXT          PT line (default by model)       --probe-version TEXT   VP line (default 1.07)
  --memory-number N     FT, VX2: memory number in the M line (default 1)
  --select 1|2          FT: memory selected on the gauge; 2 = scan memory, reported as M96 and sent for
                        "$kova10$" too ("$kova11$" always sends the scan memory)

Memories:
  --count1 N, --count2 N   values generated into memory 1 / 2 (defaults: RD 25 and 12, FT 25 and 96,
                           VX1/VX5/VX2 20; at most 9999)
  --mean X, --spread S     mean and standard deviation of generated values (default by model)
  --unit U                 um (or µm), mm for RD and FT; G, Oe, kOe, A/cm, kA/m, mVs for the others
                           (defaults: RD/FT um, VX1 kA/m, VX5 A/cm, VX2 mVs, QL7 G)
  --seed K                 random seed (default 1); the same seed gives the same values
  --material TEXT          material column of generated FT values and of online values (default Fe)
  --memory1 FILE, --memory2 FILE
                           load a memory from a text file: one value per line, "." or "," as decimal
                           separator, optionally followed by a unit and a material column, separated by
                           blanks, tabs or ";". "#" starts a comment; blank lines are skipped. UTF-8 or
                           Windows-1252. Example lines:  12.5    0.0125 mm NFe    13,1;um;Fe
  --ym                     send the unit micrometre as "ym" instead of the byte 0xB5 followed by "m"

Online values:
  --online              send online values (always on for QL7)
  --interval MS         one value every MS milliseconds (default 1000)
  --keypress            one value per line typed on stdin instead of a timer (implies --online)
  --online-start ident|now
                        ident (default): start after the first identification answer; now: at once

Line:
  --fast                no pacing; otherwise output is paced at the baud rate (10 bits per byte)
  --baud N              line speed for pacing (default 38400)

Ports.ini:
  --com N               write "COM<N>;<device>;<type>;" into $XDG_CONFIG_HOME/Varnotek/Ports.ini (an
                        existing COM<N> line is replaced, other lines are kept); the line is removed when
                        the simulator ends through SIGINT, SIGTERM, SIGHUP, "quit", end of stdin or unplug.
  --type TEXT           type text of that line (default "BTH simulated gauge" for RD and VX1,
                        "VCP simulated gauge" for the cable models)

Switching off and faults:
  --switch-off-after N  send EM (switch off) after N records of a memory answer (in place of the rest),
                        or after N online values; the gauge then ignores commands until "on"
  --fault NAME[,NAME]   may be repeated:
                          silent              never answers
                          no-eot              answers end without EOT
                          garbage             garbage lines among the answer lines and online values
                          split               records split across two writes with a pause
                          overflow            memory 1 holds 5003 values (or --count1 if larger)
                          switch-off          EM half way through a memory answer (or --switch-off-after)
                          unplug              close the terminal half way through a memory answer and end
                          records-before-stx  records come before the STX line
                        a hostile device (what no gauge does, for the program's bounds):
                          endless             answers never end: records follow without end, no EOT
                          endless-memory      the same for memory answers only
                          drip                answers come one byte at a time (--drip-ms apart)
                          no-line-end         online values without their line end
                          huge-count          the memories are announced with 999999999 values
                          control-chars       terminal commands (title, clipboard, clear screen) in the
                                              firmware text; backspace, bell and escape in the unit and
                                              material of every value
                          nan                 every third value is "NaN" (every sixth "inf")
  --unplug-after MS     close the terminal MS milliseconds after start and end
  --split-pause MS      pause inside a split record (default 250)
  --drip-ms MS          pause before each byte of the drip fault (default 1000)
  --quiet               no messages on stderr

Commands on stdin (one per line):
  (empty line) or a number   one online value (generated, or the number given)
  off                        send EM and switch off        on       switch on again
  unplug                     close the terminal and end    quit     end
End of stdin ends the simulator when stdin is a pipe or a terminal (not when it is /dev/null or a file).

Commands understood on the line: "$kova00$" (identification), "$kova10$" (memory 1), "$kova11$" (memory 2),
each followed by CR LF. A new command cancels an answer still being sent and drops unread output.

Exit status: 0 normal end, 1 the terminal or Ports.ini could not be set up, 2 bad options or memory file.
)");
}

// Each fault the gauge can show sets one switch; "switch-off" is placed once the memory size is known.
bool SimOptions::applyFaults(const QStringList& faults, SimSettings& s)
{
    const QMap<QString, bool*> switches = {
        {"silent", &s.gauge.silent},
        {"no-eot", &s.gauge.noEot},
        {"garbage", &s.gauge.garbage},
        {"split", &s.gauge.split},
        {"overflow", &s.overflow},
        {"unplug", &s.gauge.unplugMidAnswer},
        {"records-before-stx", &s.gauge.recordsBeforeStx},
        {"endless", &s.gauge.endless},
        {"endless-memory", &s.gauge.endlessMemory},
        {"drip", &s.gauge.drip},
        {"no-line-end", &s.gauge.noLineEnd},
        {"huge-count", &s.gauge.hugeCount},
        {"control-chars", &s.gauge.controlChars},
        {"nan", &s.gauge.nanValues},
    };
    for (const QString& given : faults) {
        const QString fault = given.trimmed();
        if (fault == QLatin1String("switch-off")) {
            if (s.gauge.switchOffAfter < 0)
                s.gauge.switchOffAfter = -2;
        } else if (bool* on = switches.value(fault)) {
            *on = true;
        } else {
            m_error = QStringLiteral("--fault: unknown fault \"%1\"").arg(fault);
            return false;
        }
    }
    return true;
}

// What the options say before the model's rules and defaults are applied.
struct SimOptions::Draft {
    SimSettings s;
    bool count1Given = false;
    QStringList faults;
    QString model = QStringLiteral("RD");
    QString select;
};

bool SimOptions::toInt(const QString& name, const QString& text, int min, int max, int* out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max) {
        m_error = QStringLiteral("%1: expected a whole number from %2 to %3, got \"%4\"")
                      .arg(name)
                      .arg(min)
                      .arg(max)
                      .arg(text);
        return false;
    }
    *out = v;
    return true;
}

// Every option that takes a value, by name.
QMap<QString, SimOptions::Handler> SimOptions::valueOptions(Draft& d)
{
    SimSettings& s = d.s;
    const auto text = [](QString& field) -> Handler {
        return [&field](const QString&, const QString& v) {
            field = v;
            return true;
        };
    };
    const auto whole = [this](int& field, int min, int max) -> Handler {
        return [this, &field, min, max](const QString& n, const QString& v) { return toInt(n, v, min, max, &field); };
    };
    const auto number = [this](double& field, bool& given) -> Handler {
        return [this, &field, &given](const QString& n, const QString& v) {
            bool ok = false;
            field = QString(v).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            given = true;
            if (!ok)
                m_error = QStringLiteral("%1: expected a number, got \"%2\"").arg(n, v);
            return ok;
        };
    };
    // A text taken as given when the check holds, otherwise the message.
    const auto checked = [this](QString& field, std::function<bool(const QString&)> valid, const char* message) {
        return Handler([this, &field, valid, message](const QString&, const QString& v) {
            if (!valid(v))
                m_error = QString::fromUtf8(message);
            else
                field = v;
            return valid(v);
        });
    };
    QMap<QString, Handler> options = {
        {"--model", text(d.model)},
        {"--variant", text(s.gauge.variant)},
        {"--serial", text(s.gauge.serial)},
        {"--firmware", text(s.gauge.firmware)},
        {"--mac", text(s.gauge.mac)},
        {"--probe", text(s.gauge.probeType)},
        {"--probe-version", text(s.gauge.probeVersion)},
        {"--memory-number", whole(s.gauge.memoryNumber, 1, 99)},
        {"--select", text(d.select)},
        {"--count2", whole(s.count2, 0, SimGauge::MaxNumber)},
        {"--mean", number(s.mean, s.meanSet)},
        {"--spread", number(s.spread, s.spreadSet)},
        {"--material", checked(
                           s.gauge.material, [](const QString& v) { return v.trimmed().size() <= 3; },
                           "--material: at most 3 characters")},
        {"--memory1", text(s.memory1File)},
        {"--memory2", text(s.memory2File)},
        {"--interval", whole(s.intervalMs, 1, 86400000)},
        {"--baud", whole(s.baud, 300, 4000000)},
        {"--com", whole(s.com, 1, 201)},
        {"--type", checked(
                       s.typeText, [](const QString& v) { return !v.contains(QLatin1Char(';')); },
                       "--type: the text must not contain \";\"")},
        {"--switch-off-after", whole(s.gauge.switchOffAfter, 0, 1000000)},
        {"--unplug-after", whole(s.unplugAfterMs, 0, 86400000)},
        {"--split-pause", whole(s.gauge.splitPauseMs, 0, 60000)},
        {"--drip-ms", whole(s.gauge.dripMs, 0, 60000)},
    };
    options.insert("--count1", [this, &d](const QString& n, const QString& v) {
        d.count1Given = true;
        return toInt(n, v, 0, SimGauge::MaxNumber, &d.s.count1);
    });
    options.insert("--unit", [this, &s](const QString&, const QString& v) {
        s.unit = SimGauge::canonicalUnit(v);
        if (s.unit.isEmpty())
            m_error = QStringLiteral("--unit: unknown unit \"%1\"").arg(v);
        return !s.unit.isEmpty();
    });
    options.insert("--seed", [this, &s](const QString& n, const QString& v) {
        int seed = 0;
        const bool ok = toInt(n, v, 0, 2147483647, &seed);
        s.gauge.seed = quint32(seed);
        return ok;
    });
    options.insert("--online-start", [this, &s](const QString&, const QString& v) {
        if (v != QLatin1String("ident") && v != QLatin1String("now"))
            m_error = QStringLiteral("--online-start: ident or now");
        s.onlineNow = v == QLatin1String("now");
        return v == QLatin1String("ident") || s.onlineNow;
    });
    options.insert("--fault", [&d](const QString&, const QString& v) {
        d.faults += v.split(QLatin1Char(','));
        return true;
    });
    return options;
}

SimOptions::Result SimOptions::parse(const QStringList& arguments)
{
    Draft d;
    const QMap<QString, Handler> withValue = valueOptions(d);
    const QMap<QString, bool*> flags = {
        {"--ym", &d.s.gauge.ym}, {"--online", &d.s.online}, {"--keypress", &d.s.keypress},
        {"--fast", &d.s.fast},   {"--quiet", &d.s.quiet},
    };
    for (int i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        if (name == QLatin1String("--help") || name == QLatin1String("-h"))
            return Result::Help;
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = name.startsWith(QLatin1String("--")) && eq > 2;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        if (flags.contains(name) && !inlineValue) {
            *flags[name] = true;
            continue;
        }
        const auto handler = withValue.constFind(name);
        if (handler == withValue.constEnd()) {
            m_error = QStringLiteral("unknown option \"%1\"").arg(arguments[i]);
            return Result::Error;
        }
        if (!inlineValue && i + 1 >= arguments.size()) {
            m_error = QStringLiteral("%1 needs a value").arg(name);
            return Result::Error;
        }
        if (!inlineValue)
            value = arguments[++i];
        if (!(*handler)(name, value))
            return Result::Error;
    }
    return finish(d) ? Result::Run : Result::Error;
}

// The model's rules on the options given, then its defaults for what was not given.
bool SimOptions::finish(Draft& d)
{
    SimSettings& s = d.s;
    const auto info = SimGauge::modelInfo(d.model);
    if (!info) {
        m_error = QStringLiteral("--model: unknown model \"%1\" (one of %2)")
                      .arg(d.model, SimGauge::modelCodes().join(QLatin1String(", ")));
        return false;
    }
    s.gauge.model = info->code;
    s.gauge.material = s.gauge.material.trimmed();
    if (s.gauge.variant.isEmpty())
        s.gauge.variant = info->defaultVariant;
    const bool memoryGiven = s.count1 > 0 || s.count2 > 0 || !s.memory1File.isEmpty() || !s.memory2File.isEmpty();
    const QString units = SimGauge::unitsFor(*info).join(QLatin1String(", "));
    const std::pair<bool, QString> rules[] = {
        {!s.gauge.variant.contains(QLatin1Char('-')), "--variant: the variant needs a \"-\" (such as FE-B)"},
        {!d.select.isEmpty() && d.select != QLatin1String("1") && d.select != QLatin1String("2"), "--select: 1 or 2"},
        {!d.select.isEmpty() && info->code != QLatin1String("FT"), "--select is for FT only"},
        {!s.unit.isEmpty() && !SimGauge::unitsFor(*info).contains(s.unit),
         QStringLiteral("--unit: %1 does not measure %2 (%3)").arg(info->code, s.unit, units)},
        {s.spreadSet && s.spread < 0, "--spread must not be negative"},
        {info->memories == 0 && memoryGiven, QStringLiteral("%1 has no memory").arg(info->code)},
        {info->memories < 2 && (s.count2 > 0 || !s.memory2File.isEmpty()),
         QStringLiteral("%1 has one memory only").arg(info->code)},
    };
    for (const auto& [broken, message] : rules) {
        if (broken) {
            m_error = message;
            return false;
        }
    }
    s.gauge.select = d.select.isEmpty() ? s.gauge.select : d.select.toInt();
    if (!applyFaults(d.faults, s))
        return false;
    if (s.overflow) {
        if (info->memories == 0 || !s.memory1File.isEmpty()) {
            m_error = QStringLiteral("--fault overflow needs a generated memory 1");
            return false;
        }
        s.count1 = d.count1Given ? std::max(s.count1, 5001) : 5003;
    }
    s.online = s.online || s.keypress || info->memories == 0;
    if (s.typeText.isEmpty()) {
        s.typeText = info->interfaceKind == QLatin1Char('B') ? QStringLiteral("BTH simulated gauge")
                                                             : QStringLiteral("VCP simulated gauge");
    }
    m_settings = s;
    return true;
}
