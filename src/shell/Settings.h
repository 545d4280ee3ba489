#pragma once

#include <QString>

namespace shell {

struct AppState;

// The settings files: one two-letter action names the file and the direction.
namespace Settings {

void Voreinstellungen(AppState& st, const QString& aktion);

// The failure message of an action in a language (0 German, other English); empty for unknown codes.
QString errorMessage(const QString& aktion, int sprache);

QString fileFor(const AppState& st, const QString& aktion);

} // namespace Settings
} // namespace shell
