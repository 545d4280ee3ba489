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
enum class FillError { Overflow = 6, SubscriptOutOfRange = 9, TypeMismatch = 13 };

// The largest magnitude a record's ten-character value column can bring (ten digits of mm or kOe, stored in µm
// or G): a value beyond it was never measured.
constexpr double kLargestValue = 9999999999e3;

// The failure's text: "Fill Messdaten: " + number + description.
QString fillFailureText(const AppState& st, FillError error);
// A record that could not be stored: the box and the log line of fillFailureText.
void reportFillFailure(AppState& st, FillError error);

} // namespace shell
