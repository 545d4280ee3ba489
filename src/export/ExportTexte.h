#pragma once

#include <QString>

#include <vector>

namespace reports::ExportTexte {

// Messages of the file commands, German (sprache 0) or English (other).
QString saveFailed(int sprache, const QString& path, const QString& reason);
QString readFailed(int sprache, const QString& path, const QString& reason);

// What a .mes file held that did not become a row: lines refused (their numbers, the first ten) and rows beyond
// what a table holds. Empty when everything was taken.
QString notTaken(int sprache, const QString& file, const std::vector<int>& refused, size_t rows);

// The system's description of a file error in the user's language where a translation is known.
QString reason(int sprache, const QString& systemText);

} // namespace reports::ExportTexte
