#include "OptionScanner.h"

bool OptionScanner::scan(const QStringList& arguments, const QString& command, QString& error) const
{
    error.clear();
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        if (!name.startsWith(QLatin1Char('-')) || name.size() < 2) {
            if (!plain)
                error = QStringLiteral("unexpected argument \"%1\"").arg(name);
            if (!plain || !plain(name))
                return false;
            continue;
        }
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = name.startsWith(QLatin1String("--")) && eq > 2;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        const auto setter = values.find(name);
        const auto onOff = switches.find(name);
        if (setter == values.end() && onOff == switches.end())
            error = QStringLiteral("%1 is not an option of %2").arg(name, command);
        else if (seen.contains(name))
            error = QStringLiteral("%1 given twice").arg(name);
        else if (onOff != switches.end() && inlineValue)
            error = QStringLiteral("%1 takes no value").arg(name);
        else if (setter != values.end() && !inlineValue && i + 1 >= arguments.size())
            error = QStringLiteral("%1 needs a value").arg(name);
        if (!error.isEmpty())
            return false;
        seen << name;
        if (onOff != switches.end()) {
            onOff->second();
            continue;
        }
        if (!inlineValue)
            value = arguments.at(++i);
        if (!setter->second(name, value))
            return false;
    }
    return true;
}
