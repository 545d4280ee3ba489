#include "ManualText.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace {
struct Branch {
    int line;
    bool parentActive;
    bool taken;
    bool inElse = false;
};

// "@NAME@" replaced by its value; a name without a value is an error.
bool fillPlaceholders(const QString& line, const QMap<QString, QString>& values, int lineNo, QString& filled,
                      QString& error)
{
    static const QRegularExpression placeholder(QStringLiteral("@([A-Z]+)@"));
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch p = it.next();
        if (!values.contains(p.captured(1))) {
            error = QStringLiteral("line %1: no value for @%2@").arg(lineNo).arg(p.captured(1));
            return false;
        }
        filled += line.mid(from, p.capturedStart() - from) + values.value(p.captured(1));
        from = p.capturedEnd();
    }
    filled += line.mid(from);
    return true;
}

// One "if"/"else"/"endif" line on the stack of open branches.
bool applyDirective(const QString& word, const QStringList& args, const QMap<QString, QString>& values, int lineNo,
                    bool active, QList<Branch>& open, QString& error)
{
    if (word == QLatin1String("if")) {
        if (args.isEmpty() || !args.first().at(0).isLower() || !values.contains(args.first())) {
            error = QStringLiteral("line %1: \"if\" needs a known name (edition, variant, memoryMode, "
                                   "interfaceKind, deviceLine, signMode) and values")
                        .arg(lineNo);
            return false;
        }
        open.append({lineNo, active, args.mid(1).contains(values.value(args.first()))});
    } else if (word == QLatin1String("else")) {
        if (open.isEmpty() || open.last().inElse || !args.isEmpty()) {
            error = QStringLiteral("line %1: \"else\" without its \"if\"").arg(lineNo);
            return false;
        }
        open.last().inElse = true;
    } else {
        if (open.isEmpty() || !args.isEmpty()) {
            error = QStringLiteral("line %1: \"endif\" without its \"if\"").arg(lineNo);
            return false;
        }
        open.removeLast();
    }
    return true;
}

} // namespace

bool ManualText::expand(const QString& source, const QMap<QString, QString>& values, QString& out, QString& error)
{
    static const QRegularExpression directive(QStringLiteral(R"(^\s*<!--\s*(if|else|endif)\b(.*?)-->\s*$)"));
    static const QRegularExpression remark(QStringLiteral("<!--.*?-->"));

    QList<Branch> open;
    QStringList kept;
    bool inRemark = false;
    int remarkLine = 0;
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        // Remarks for the writers of the text stay out of the manual; one that spans lines ends on the line
        // holding "-->", and that line is dropped whole.
        if (inRemark) {
            inRemark = !lines.at(i).contains(QLatin1String("-->"));
            continue;
        }
        const bool active = open.isEmpty() || (open.last().parentActive && open.last().taken != open.last().inElse);
        const QRegularExpressionMatch m = directive.match(lines.at(i));
        if (!m.hasMatch()) {
            QString line = lines.at(i);
            line.remove(remark);
            const qsizetype opening = line.indexOf(QLatin1String("<!--"));
            if (opening >= 0) {
                inRemark = true;
                remarkLine = lineNo;
                line.truncate(opening);
                if (line.trimmed().isEmpty())
                    continue;
            }
            if (!active)
                continue;
            QString filled;
            if (!fillPlaceholders(line, values, lineNo, filled, error))
                return false;
            kept << filled;
            continue;
        }
        if (!applyDirective(m.captured(1), m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts), values, lineNo,
                            active, open, error))
            return false;
    }
    if (inRemark) {
        error = QStringLiteral("line %1: remark \"<!--\" is never closed").arg(remarkLine);
        return false;
    }
    if (!open.isEmpty()) {
        error = QStringLiteral("line %1: \"if\" is never closed").arg(open.last().line);
        return false;
    }

    out = kept.join(QLatin1Char('\n'));
    return true;
}
