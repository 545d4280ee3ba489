#include "ExportOptions.h"

#include "OptionScanner.h"

#include <cstring>

namespace {

// One of the words given, by its place in the list; false with the reason in error.
bool oneWord(const QString& name, const QString& v, const QStringList& words, int& place, QString& error)
{
    place = int(words.indexOf(v));
    if (place < 0)
        error =
            QStringLiteral("%1: %2, got \"%3\"")
                .arg(name,
                     words.mid(0, words.size() - 1).join(QLatin1String(", ")) + QStringLiteral(" or ") + words.last(),
                     v);
    return place >= 0;
}

} // namespace

bool ExportOptions::named(int argc, char** argv)
{
    return argc > 1 && std::strcmp(argv[1], "export") == 0;
}

bool ExportOptions::parse(const QStringList& arguments, QString& edition, int& sprache, QString& error)
{
    *this = ExportOptions();
    bool haveTo = false;
    const auto oneOf = [&error](const QString& name, const QString& v, const QStringList& words, int& place) {
        return oneWord(name, v, words, place, error);
    };
    OptionScanner options;
    options.plain = [this, &error](const QString& argument) {
        if (!file.isEmpty() || argument.isEmpty())
            error = file.isEmpty() ? QStringLiteral("the file name is empty")
                                   : QStringLiteral("unexpected argument \"%1\"").arg(argument);
        file = file.isEmpty() ? argument : file;
        return error.isEmpty();
    };
    options.values[QStringLiteral("--to")] = [&](const QString& name, const QString& v) {
        int t = 0;
        haveTo = oneOf(name, v,
                       {QStringLiteral("txt"), QStringLiteral("pdf"), QStringLiteral("odt"), QStringLiteral("xlsx"),
                        QStringLiteral("report")},
                       t);
        to = static_cast<Target>(t);
        return haveTo;
    };
    options.values[QStringLiteral("--view")] = [&](const QString& name, const QString& v) {
        int t = 0;
        const bool ok = oneOf(name, v, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("online")}, t);
        view = static_cast<View>(t);
        return ok;
    };
    options.values[QStringLiteral("--lang")] = [&](const QString& name, const QString& v) {
        return oneOf(name, v, {QStringLiteral("de"), QStringLiteral("en")}, sprache);
    };
    options.values[QStringLiteral("--out")] = [&](const QString& name, const QString& v) {
        out = v;
        return !v.isEmpty() || (error = name + QStringLiteral(": the path is empty"), false);
    };
    options.values[QStringLiteral("--edition")] = [&](const QString& name, const QString& v) {
        edition = v.trimmed();
        return !edition.isEmpty() || (error = name + QStringLiteral(": the code is empty"), false);
    };
    for (const QString& option : RuleOptions::names())
        options.values[option] = [&](const QString& name, const QString& v) { return rule.take(name, v, error); };
    options.switches[QStringLiteral("--chart")] = [this] { chart = true; };
    if (!options.scan(arguments, QStringLiteral("export"), error))
        return false;
    if (file.isEmpty())
        error = QStringLiteral("the .mes file is missing");
    else if (!haveTo)
        error = QStringLiteral("--to is missing");
    else if (out.isEmpty())
        error = QStringLiteral("--out is missing");
    else if (chart && to != Target::Xlsx)
        error = QStringLiteral("--chart belongs to --to xlsx");
    return error.isEmpty();
}
