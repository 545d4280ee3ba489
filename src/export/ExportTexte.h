#pragma once

#include <QString>

namespace reports::ExportTexte {

// Messages of the file commands, German (sprache 0) or English (other).
QString saveFailed(int sprache, const QString& path, const QString& reason);
QString readFailed(int sprache, const QString& path, const QString& reason);

// The system's description of a file error in the user's language where a translation is known.
QString reason(int sprache, const QString& systemText);

} // namespace reports::ExportTexte
