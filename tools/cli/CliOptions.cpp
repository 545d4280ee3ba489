#include "CliOptions.h"

#include <QRegularExpression>

#include <climits>

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
        "       varnotek-cli export FILE.mes --to txt|pdf|odt|xlsx|report --out PATH [--chart]\n"
        "                         [--view 1|2|online] [--edition CODE] [--lang de|en] [RULE OPTIONS]\n"
        "       varnotek-cli history list [--since YYYY-MM-DD] [--until YYYY-MM-DD] [--text T] [--server]\n"
        "       varnotek-cli history show ID [--server]\n"
        "       varnotek-cli history export ID --to mes|txt|pdf|odt|xlsx|report --out PATH [--chart] [--server]\n"
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
                        workbook, report the inspection report (PDF: verdict, charts, every reading); nothing is
                        opened
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
  --to txt|pdf|odt|xlsx|report
                        what export writes
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
    const QString first = args.value(0);
    if (args.isEmpty()) {
        m_error = QStringLiteral("a command is missing");
        return false;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("--version")) {
        command = first == QLatin1String("--version") ? Command::Version : Command::Help;
        return args.size() == 1 || (m_error = first + QStringLiteral(" takes nothing else"), false);
    }
    if (first == QLatin1String("export")) {
        command = Command::Export;
        return exported.parse(args.mid(1), edition, sprache, m_error);
    }
    if (first == QLatin1String("history")) {
        command = Command::History;
        return history.parse(args.mid(1), edition, sprache, m_error);
    }
    static const std::map<QString, Command> gaugeCommands = {{QStringLiteral("ports"), Command::Ports},
                                                             {QStringLiteral("identify"), Command::Identify},
                                                             {QStringLiteral("read"), Command::Read},
                                                             {QStringLiteral("online"), Command::Online}};
    const auto known = gaugeCommands.find(first);
    if (known == gaugeCommands.end()) {
        m_error = QStringLiteral("unknown command \"%1\"").arg(first);
        return false;
    }
    command = known->second;
    OptionScanner options;
    lineOptions(options);
    if (command == Command::Read || command == Command::Online)
        runOptions(options);
    if (!options.scan(args.mid(1), first, m_error))
        return false;
    if (command != Command::Ports && port.isEmpty())
        m_error = QStringLiteral("--port is missing");
    else if (command == Command::Read && outDir.isEmpty())
        m_error = QStringLiteral("--out is missing");
    return m_error.isEmpty();
}

// The edition, and for every command but ports the port, the language and the timeout.
void CliOptions::lineOptions(OptionScanner& options)
{
    options.values[QStringLiteral("--edition")] = [this](const QString& name, const QString& v) {
        if (v.trimmed().isEmpty())
            return m_error = name + QStringLiteral(": the code is empty"), false;
        edition = v.trimmed();
        return true;
    };
    if (command == Command::Ports)
        return;
    options.values[QStringLiteral("--port")] = [this](const QString& name, const QString& v) {
        static const QRegularExpression re(QStringLiteral("^COM([1-9][0-9]{0,2})$"));
        const QRegularExpressionMatch m = re.match(v);
        if (!m.hasMatch() || m.captured(1).toInt() > 201)
            return m_error = name + QStringLiteral(": expected COM1 to COM201, got \"%1\"").arg(v), false;
        port = v;
        return true;
    };
    options.values[QStringLiteral("--lang")] = [this](const QString& name, const QString& v) {
        if (v != QLatin1String("de") && v != QLatin1String("en"))
            return m_error = name + QStringLiteral(": de or en, got \"%1\"").arg(v), false;
        sprache = v == QLatin1String("en") ? 1 : 0;
        return true;
    };
    options.values[QStringLiteral("--timeout")] = [this](const QString& name, const QString& v) {
        return wholeNumber(name, v, 1, 86400, timeoutSeconds);
    };
}

// What read and online take beside the line: the output folder, the rule, the archive switch; the memory to read,
// or the count and seconds of a run.
void CliOptions::runOptions(OptionScanner& options)
{
    options.values[QStringLiteral("--out")] = [this](const QString& name, const QString& v) {
        if (v.isEmpty())
            return m_error = name + QStringLiteral(": the folder is empty"), false;
        outDir = v;
        return true;
    };
    for (const QString& option : RuleOptions::names())
        options.values[option] = [this](const QString& name, const QString& v) { return rule.take(name, v, m_error); };
    options.switches[QStringLiteral("--no-archive")] = [this] { archive = false; };
    if (command == Command::Online) {
        for (const auto& option : {std::pair{"--count", &count}, std::pair{"--seconds", &seconds}}) {
            int* target = option.second;
            options.values[QString::fromLatin1(option.first)] = [this, target](const QString& n, const QString& v) {
                return wholeNumber(n, v, 1, INT_MAX, *target);
            };
        }
        return;
    }
    options.values[QStringLiteral("--memory")] = [this](const QString& name, const QString& v) {
        static const std::map<QString, Memory> memories = {{QStringLiteral("1"), Memory::First},
                                                           {QStringLiteral("2"), Memory::Second},
                                                           {QStringLiteral("all"), Memory::All}};
        const auto m = memories.find(v);
        if (m == memories.end())
            return m_error = name + QStringLiteral(": 1, 2 or all, got \"%1\"").arg(v), false;
        memory = m->second;
        return true;
    };
}

bool CliOptions::wholeNumber(const QString& name, const QString& text, int min, int max, int& target)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok && n >= min && n <= max) {
        target = n;
        return true;
    }
    m_error =
        max == INT_MAX
            ? name + QStringLiteral(": expected a whole number from %1, got \"%2\"").arg(min).arg(text)
            : name + QStringLiteral(": expected whole seconds from %1 to %2, got \"%3\"").arg(min).arg(max).arg(text);
    return false;
}
