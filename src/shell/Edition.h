#pragma once

#include <QString>

namespace shell {

struct AppState;

namespace Edition {

// Title, model picture and display size by the edition code; the tests are made one after the
// other, so a later match overrides an earlier one. Returns false when no test matched.
bool chooseEdition(AppState& st);

// The five capability fields by the first three characters of the trimmed code.
void setCapabilities(AppState& st);

// The manual's edition part for the current code and branding; "previous" when no rule matches.
QString manualPart(const QString& geraet, const QString& variantCode, const QString& previous);

} // namespace Edition
} // namespace shell
