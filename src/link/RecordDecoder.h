#pragma once

#include "shell/Messart.h"
#include "shell/Messwert.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace shell {
struct AppState;
}

namespace instrument {

// Reads one fixed-column measurement record: number 1-4, value 7-16, unit 18-21, material 23-25. Used by the
// memory read and by online reception; the table stores what it gives.
class RecordDecoder
{
public:
    // The fields of a record after reading and unit normalisation.
    struct Fields {
        double number = 0; // as read; a 16-bit integer once stored
        double wert = 0;
        bool wertIsNumber = true; // false: the value column names no number ("NaN", "inf", "∞")
        QString einheit;          // four characters, control characters removed
        QString material;         // positions 23-25 as they are, control characters removed
    };

    // A run-time failure of the decoding.
    struct Failure {
        shell::FillError error;
    };

    explicit RecordDecoder(shell::AppState& st);

    // Decodes a record for the view of messart, stamped with the current date and time. None when it failed (the
    // user has been told and the log has the line); a record whose value is no number is refused without a box
    // (the caller tells the user once for many), counted and logged.
    std::optional<shell::Messwert> decode(const QString& currentRecord, shell::Messart messart);
    // Records refused so far for a value that is no number.
    int refused() const { return m_refused; }

    // The locale-free decimal reader: blanks removed, the longest prefix of sign, digits and one ".", else 0.
    static double readDecimal(QStringView field);
    // Rounds half to even into 16 bits; throws Failure (overflow) outside -32768..32767.
    static qint16 toInteger16(double value);
    // CR LF becomes two blanks, a line feed alone one: the record's texts never hold a line end.
    static QString cleanRecord(const QString& record);
    // Reads the columns of a cleaned record and normalises the unit.
    static Fields readFields(const QString& record);
    // mm -> µm, kA/m -> A/cm, kOe -> Oe, ym -> µm, Oe -> G, in that order.
    static void normaliseUnit(double& wert, QString& einheit);

private:
    void stamp();

    shell::AppState& m_st;
    qint64 m_stampSecond = -1;
    int m_refused = 0;
    QString m_datum;
    QString m_zeit;
};

} // namespace instrument
