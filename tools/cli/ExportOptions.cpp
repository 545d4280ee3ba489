#include "ExportOptions.h"

#include <cstring>

bool ExportOptions::named(int argc, char** argv)
{
    return argc > 1 && std::strcmp(argv[1], "export") == 0;
}

bool ExportOptions::parse(const QStringList& arguments, QString& edition, int& sprache, QString& error)
{
    *this = ExportOptions();
    bool haveTo = false;
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        if (!name.startsWith(QLatin1String("--"))) {
            if (!file.isEmpty()) {
                error = QStringLiteral("unexpected argument \"%1\"").arg(name);
                return false;
            }
            if (name.isEmpty()) {
                error = QStringLiteral("the file name is empty");
                return false;
            }
            file = name;
            continue;
        }
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq > 2) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        static const QStringList known = {QStringLiteral("--to"),      QStringLiteral("--out"),
                                          QStringLiteral("--chart"),   QStringLiteral("--view"),
                                          QStringLiteral("--edition"), QStringLiteral("--lang")};
        if (!known.contains(name) && !RuleOptions::names().contains(name)) {
            error = QStringLiteral("%1 is not an option of export").arg(name);
            return false;
        }
        if (seen.contains(name)) {
            error = QStringLiteral("%1 given twice").arg(name);
            return false;
        }
        seen << name;
        if (name == QLatin1String("--chart")) {
            if (inlineValue) {
                error = QStringLiteral("--chart takes no value");
                return false;
            }
            chart = true;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = arguments.at(++i);
        }
        if (RuleOptions::names().contains(name)) {
            if (!rule.take(name, value, error))
                return false;
        } else if (name == QLatin1String("--to")) {
            static const QStringList targets = {QStringLiteral("txt"), QStringLiteral("pdf"), QStringLiteral("odt"),
                                                QStringLiteral("xlsx"), QStringLiteral("report")};
            const qsizetype t = targets.indexOf(value);
            if (t < 0) {
                error = QStringLiteral("--to: txt, pdf, odt, xlsx or report, got \"%1\"").arg(value);
                return false;
            }
            to = static_cast<Target>(t);
            haveTo = true;
        } else if (name == QLatin1String("--out")) {
            if (value.isEmpty()) {
                error = QStringLiteral("--out: the path is empty");
                return false;
            }
            out = value;
        } else if (name == QLatin1String("--view")) {
            if (value == QLatin1String("1"))
                view = View::Memory1;
            else if (value == QLatin1String("2"))
                view = View::Memory2;
            else if (value == QLatin1String("online"))
                view = View::Online;
            else {
                error = QStringLiteral("--view: 1, 2 or online, got \"%1\"").arg(value);
                return false;
            }
        } else if (name == QLatin1String("--edition")) {
            if (value.trimmed().isEmpty()) {
                error = QStringLiteral("--edition: the code is empty");
                return false;
            }
            edition = value.trimmed();
        } else if (value == QLatin1String("de") || value == QLatin1String("en")) {
            sprache = value == QLatin1String("de") ? 0 : 1;
        } else {
            error = QStringLiteral("--lang: de or en, got \"%1\"").arg(value);
            return false;
        }
    }
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
