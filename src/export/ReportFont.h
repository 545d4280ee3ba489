#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace reports {

// The printed and word-processor report is laid out in fixed columns, so it needs a monospaced font.
class ReportFont
{
public:
    static const QString kFamily; // "Lucida Console"
    static constexpr int kPointSize = 10;

    // "Lucida Console" by name; the monospace hint lets the platform's monospaced font stand in where it is
    // missing (without the hint Qt picks a proportional one). 10 pt, not bold, not italic.
    static QFont font();

    // The family to name in a document for another program, which cannot be given the monospace hint: "Lucida
    // Console" where it is installed, otherwise the monospaced family that stands in for it here (the one the
    // printout uses). Needs a QGuiApplication.
    static QString documentFamily();

    // The report's lines: CR LF (or a lone LF) separates them; a final line end does not start another line.
    static QStringList lines(const QString& reportText);
};

} // namespace reports
