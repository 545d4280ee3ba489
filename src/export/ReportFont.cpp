#include "ReportFont.h"

#include "shell/TextFile.h"

#include <QFontInfo>

namespace reports {

const QString ReportFont::kFamily = QStringLiteral("Lucida Console");

QFont ReportFont::font()
{
    QFont f(kFamily);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSize(kPointSize);
    f.setBold(false);
    f.setItalic(false);
    return f;
}

QString ReportFont::documentFamily()
{
    return QFontInfo(font()).family();
}

QStringList ReportFont::lines(const QString& reportText)
{
    return shell::TextFile::splitLines(reportText);
}

} // namespace reports
