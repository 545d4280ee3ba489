#pragma once

#include <QString>
#include <QStringView>

namespace shell {
struct AppState;
}
namespace table {
class TableSession;
}

namespace instrument {

// Turns one fixed-column measurement record into a row of the measurement table (FillMessdaten):
// number 1-4, value 7-16, unit 18-21, material 23-25. Used by the memory read and by online reception.
class RecordDecoder
{
public:
    // The fields of a record after reading and unit normalisation.
    struct Fields {
        double number = 0; // as read; a 16-bit integer once stored
        double wert = 0;
        QString einheit;  // four characters
        QString material; // positions 23-25 as they are
    };

    // A run-time failure of the decoding, with the number and description the user sees.
    struct Failure {
        int number;
        QString description;
    };

    RecordDecoder(shell::AppState& st, table::TableSession& table);

    // Decodes currentRecord into the view messart at the row cursor and appends the row. False when the record
    // failed (the user has been told and the log has the line) or was dropped as empty.
    bool FillMessdaten(const QString& currentRecord);

    // The locale-free decimal reader: blanks removed, the longest prefix of sign, digits and one ".", else 0.
    static double readDecimal(QStringView field);
    // Rounds half to even into 16 bits; throws Failure (6, overflow) outside -32768..32767.
    static qint16 toInteger16(const shell::AppState& st, double value);
    // Reads the columns of a record (CR LF already blanked) and normalises the unit.
    static Fields readFields(const QString& record);
    // mm -> µm, kA/m -> A/cm, kOe -> Oe, ym -> µm, Oe -> G, in that order.
    static void normaliseUnit(double& wert, QString& einheit);

private:
    void stamp();

    shell::AppState& m_st;
    table::TableSession& m_table;
    qint64 m_stampSecond = -1;
    QString m_datum;
    QString m_zeit;
};

} // namespace instrument
