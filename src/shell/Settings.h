#pragma once

#include <QString>
#include <QStringList>

namespace shell {

struct AppState;

// The settings files: one two-letter action names the file and the direction.
namespace Settings {

void Voreinstellungen(AppState& st, const QString& aktion);

// A reading action ("KL", "CL", "LL", "TL", "SL", "PI", "PL") on lines already read from its file, failures
// reported as Voreinstellungen reports them; other codes do nothing.
void applyLines(AppState& st, const QString& aktion, const QStringList& lines);

// The failure message of an action in a language (0 German, other English); empty for unknown codes.
QString errorMessage(const QString& aktion, int sprache);

QString fileFor(const AppState& st, const QString& aktion);

} // namespace Settings
} // namespace shell
