#pragma once

#include <QMap>
#include <QString>

// One Markdown manual text serves every edition: @NAME@ placeholders take the edition's values, and lines
// between <!-- if NAME VALUE... -->, <!-- else --> and <!-- endif --> are kept only where they apply.
class ManualText
{
public:
    // Remarks (<!-- ... -->) are left out. Returns false and sets error ("line N: ...") for an unknown name, a
    // stray else or endif, an open if or remark, or a placeholder without a value.
    static bool expand(const QString& source, const QMap<QString, QString>& values, QString& out, QString& error);
};
