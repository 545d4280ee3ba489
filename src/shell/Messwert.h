#pragma once

#include <QString>

#include <optional>

namespace shell {

struct AppState;

// One decoded measurement record on its way from the instrument link to the measurement table.
struct Messwert {
    std::optional<qint16> nr; // the record's own number; none for online values (they take the counter)
    double wert = 0;
    QString einheit;                 // normalised, four characters
    std::optional<QString> material; // none: the row keeps the material it has
    QString datum;                   // when it was decoded, "dd.mm.yyyy"
    QString zeit;                    // "hh:nn:ss"
    // The store's view it belongs to (0 memory 1, 1 memory 2, 2 online), fixed when it was decoded: the view shown
    // when it is appended may be another.
    int view = 0;
};

// Why a record could not be stored, by the number the user is shown.
enum class FillError { Overflow = 6, SubscriptOutOfRange = 9 };

// A record that could not be stored: the box and the log line "Fill Messdaten: " + number + description.
void reportFillFailure(AppState& st, FillError error);

} // namespace shell
