#include "CliOptions.h"

#include <QRegularExpression>

#include <functional>
#include <map>

QString CliOptions::usage()
{
    return QStringLiteral(
        "usage: varnotek-cli ports [--edition CODE]\n"
        "       varnotek-cli identify --port COM<n> [--edition CODE] [--lang de|en] [--timeout S]\n"
        "       varnotek-cli read --port COM<n> --out DIR [--memory 1|2|all] [--edition CODE] [--lang de|en]\n"
        "                         [--timeout S] [RULE OPTIONS]\n"
        "       varnotek-cli online --port COM<n> [--count N] [--seconds S] [--out DIR] [--edition CODE]\n"
        "                           [--lang de|en] [--timeout S] [RULE OPTIONS]\n"
        "       (read and online also take --no-archive)\n"
        "       varnotek-cli export FILE.mes --to txt|pdf|odt|xlsx --out PATH [--chart] [--view 1|2|online]\n"
        "                         [--edition CODE] [--lang de|en] [RULE OPTIONS]\n"
        "       varnotek-cli history list [--since YYYY-MM-DD] [--until YYYY-MM-DD] [--text T] [--server]\n"
        "       varnotek-cli history show ID [--server]\n"
        "       varnotek-cli history export ID --to mes|txt|pdf|odt|xlsx --out PATH [--chart] [--server]\n"
        "       varnotek-cli --help | --version\n");
}

QString CliOptions::helpText()
{
    return usage() + QStringLiteral(R"(
Runs the program's own connect, identification, memory read and save without a window.

Commands:
  ports                 the port list as the port box shows it for the edition, one entry per line
  identify              connects as the connect button does and prints the identification as name: value lines
  read                  connects, identifies and reads the memories as "Read Storage" does; writes
                        DIR/memory1.mes and DIR/memory2.mes as the program's Save writes them and prints the
                        statistics of each memory, a blank line between them
  online                connects and identifies, reads no memory, and goes online as the program does; prints
                        each value as the memory display shows it, at the end the statistics; with --out writes
                        DIR/online.mes as the program's Save writes the online view. "E" gauges rewrite
                        Online.mes in the data folder after every value, as the program does
  export                loads FILE.mes into a view as "Open Data File" does and writes PATH: txt the clipboard
                        text (UTF-8), pdf the printout, odt the word-processor document, xlsx the spreadsheet
                        workbook; nothing is opened
  history               the archive of the data folder (Archiv.sqlite), which read and online and the program
                        fill on their own: list prints one series a line, newest first, tab-separated (id, start,
                        kind, gauge, count, mean, verdict); show prints a series and its readings; export writes
                        it as export does (mes: the file Save writes), with the project data, limits and rule
                        settings it was kept with

Options:
  --port COM<n>         the port (COM1 to COM201; see Ports.ini in the README)
  --out DIR             read: folder of the .mes files (created when missing); export: the file to write
  --memory 1|2|all      the memory to read (default all)
  --edition CODE        stands in for line 1 of Konfi.ini (RD, FT, VX1, VX5, VX2, QL7)
  --lang de|en          stands in for Language.ini
  --timeout S           seconds the gauge may stay silent within an answer (default 10, as in the program); an
                        identification must also be complete within them, a long memory answer that keeps
                        arriving is not cut; online: seconds without a value after which the run ends
  --count N             online: end after N values
  --seconds S           online: end S seconds after the start of the command (connecting included)
  --to txt|pdf|odt|xlsx what export writes
  --chart               export --to xlsx: the workbook gets its chart sheet (the answer Yes to the chart
                        question; without it No)
  --view 1|2|online     the view export loads the file into: memory 1 (default), memory 2 or online
  --no-archive          read, online: the series are not kept in the archive (another writer holding the
                        archive is waited for 3 s, then the run goes on without it)
  --since, --until      history list: series begun on or after, on or before that day
  --text T              history list: series whose gauge or project fields hold T (any case)
  --server              history: the team's server that Server.ini names instead of this computer's archive
                        (list: the newest 2000 the filter finds; ids are the server's)
)") + RuleOptions::helpText() +
           QStringLiteral(R"(

Settings are read from the program's data folders and never written. Messages the program shows in a box go to
standard error, in the chosen language; questions take the default answer.

An online run also ends when a line is no value, and on SIGINT or SIGTERM (what arrived is kept and written).

Text from the gauge or a file is printed with its control characters made visible ("\x1B").

Exit status: 0 success (an empty memory is success; online: ended by count, seconds, the end of reception or a
signal), 2 usage (also --out naming the input file), 3 the port cannot be opened or the device is not available,
4 no complete answer within the timeout (online: no value; a memory cut so keeps what came and is written), 5 an
output file could not be written, 6 the line was lost or the gauge switched off during the read or run (what
arrived is written), 7 the input file cannot be read (not found, no permission, not a regular file, too large) or
is not a measurement file, 8 a memory held another number of values than the gauge announced (what came is
written), 9 data refused or cut short, with a message naming it: the device sent more than any gauge sends, an
identification that cannot be read (a count beyond 16 bits), values that are no numbers (NaN, infinity) or never
measured, more than 5000 rows in a file; what could be taken is written.
)");
}

bool CliOptions::parse(const QStringList& arguments)
{
    *this = CliOptions();
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) {
        m_error = QStringLiteral("a command is missing");
        return false;
    }

    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        command = Command::Help;
        return args.size() == 1 || (m_error = QStringLiteral("--help takes nothing else"), false);
    }
    if (first == QLatin1String("--version")) {
        command = Command::Version;
        return args.size() == 1 || (m_error = QStringLiteral("--version takes nothing else"), false);
    }
    if (first == QLatin1String("ports"))
        command = Command::Ports;
    else if (first == QLatin1String("identify"))
        command = Command::Identify;
    else if (first == QLatin1String("read"))
        command = Command::Read;
    else if (first == QLatin1String("online"))
        command = Command::Online;
    else if (first == QLatin1String("export")) {
        command = Command::Export;
        return exported.parse(args.mid(1), edition, sprache, m_error);
    } else if (first == QLatin1String("history")) {
        command = Command::History;
        return history.parse(args.mid(1), edition, sprache, m_error);
    } else {
        m_error = QStringLiteral("unknown command \"%1\"").arg(first);
        return false;
    }

    using Setter = std::function<bool(const QString& name, const QString& value)>;
    std::map<QString, Setter> setters;
    setters[QStringLiteral("--edition")] = [this](const QString& name, const QString& v) {
        if (v.trimmed().isEmpty())
            return m_error = name + QStringLiteral(": the code is empty"), false;
        edition = v.trimmed();
        return true;
    };
    if (command != Command::Ports) {
        setters[QStringLiteral("--port")] = [this](const QString& name, const QString& v) {
            static const QRegularExpression re(QStringLiteral("^COM([1-9][0-9]{0,2})$"));
            const QRegularExpressionMatch m = re.match(v);
            if (!m.hasMatch() || m.captured(1).toInt() > 201)
                return m_error = name + QStringLiteral(": expected COM1 to COM201, got \"%1\"").arg(v), false;
            port = v;
            return true;
        };
        setters[QStringLiteral("--lang")] = [this](const QString& name, const QString& v) {
            if (v == QLatin1String("de"))
                sprache = 0;
            else if (v == QLatin1String("en"))
                sprache = 1;
            else
                return m_error = name + QStringLiteral(": de or en, got \"%1\"").arg(v), false;
            return true;
        };
        setters[QStringLiteral("--timeout")] = [this](const QString& name, const QString& v) {
            bool ok = false;
            const int s = v.toInt(&ok);
            if (!ok || s < 1 || s > 86400)
                return m_error = name + QStringLiteral(": expected whole seconds from 1 to 86400, got \"%1\"").arg(v),
                       false;
            timeoutSeconds = s;
            return true;
        };
    }
    if (command == Command::Online) {
        const auto positive = [this](const QString& name, const QString& v, int& target) {
            bool ok = false;
            const int n = v.toInt(&ok);
            if (!ok || n < 1)
                return m_error = name + QStringLiteral(": expected a whole number from 1, got \"%1\"").arg(v), false;
            target = n;
            return true;
        };
        setters[QStringLiteral("--count")] = [positive, this](const QString& name, const QString& v) {
            return positive(name, v, count);
        };
        setters[QStringLiteral("--seconds")] = [positive, this](const QString& name, const QString& v) {
            return positive(name, v, seconds);
        };
    }
    if (command == Command::Read || command == Command::Online) {
        setters[QStringLiteral("--out")] = [this](const QString& name, const QString& v) {
            if (v.isEmpty())
                return m_error = name + QStringLiteral(": the folder is empty"), false;
            outDir = v;
            return true;
        };
    }
    if (command == Command::Read || command == Command::Online)
        for (const QString& option : RuleOptions::names())
            setters[option] = [this](const QString& name, const QString& v) { return rule.take(name, v, m_error); };
    if (command == Command::Read) {
        setters[QStringLiteral("--memory")] = [this](const QString& name, const QString& v) {
            if (v == QLatin1String("1"))
                memory = Memory::First;
            else if (v == QLatin1String("2"))
                memory = Memory::Second;
            else if (v == QLatin1String("all"))
                memory = Memory::All;
            else
                return m_error = name + QStringLiteral(": 1, 2 or all, got \"%1\"").arg(v), false;
            return true;
        };
    }

    QStringList seen;
    for (int i = 1; i < args.size(); ++i) {
        QString name = args.at(i);
        if ((command == Command::Read || command == Command::Online) && name == QLatin1String("--no-archive")) {
            archive = false;
            continue;
        }
        QString value;
        bool inlineValue = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && eq > 2) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        const auto it = setters.find(name);
        if (it == setters.end()) {
            m_error = name.startsWith(QLatin1Char('-')) ? QStringLiteral("%1 is not an option of %2").arg(name, first)
                                                        : QStringLiteral("unexpected argument \"%1\"").arg(name);
            return false;
        }
        if (seen.contains(name)) {
            m_error = QStringLiteral("%1 given twice").arg(name);
            return false;
        }
        seen << name;
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                m_error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = args.at(++i);
        }
        if (!it->second(name, value))
            return false;
    }

    if (command != Command::Ports && port.isEmpty()) {
        m_error = QStringLiteral("--port is missing");
        return false;
    }
    if (command == Command::Read && outDir.isEmpty()) {
        m_error = QStringLiteral("--out is missing");
        return false;
    }
    return true;
}
