#include "RecordDecoder.h"

#include "shell/AppState.h"
#include "shell/Numbers.h"
#include "shell/TextFile.h"

#include <QDateTime>

#include <charconv>
#include <cmath>

namespace instrument {

RecordDecoder::RecordDecoder(shell::AppState& st) : m_st(st) {}

double RecordDecoder::readDecimal(QStringView field)
{
    char buf[32];
    int n = 0;
    bool digits = false;
    bool point = false;
    for (const QChar c : field) {
        if (c == QLatin1Char(' '))
            continue;
        if (n >= int(sizeof(buf)) - 1)
            break;
        const char16_t u = c.unicode();
        if ((u == '+' || u == '-') && n == 0) {
            buf[n++] = char(u);
        } else if (u >= '0' && u <= '9') {
            buf[n++] = char(u);
            digits = true;
        } else if (u == '.' && !point) {
            buf[n++] = '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    const char* first = buf;
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, ec] = std::from_chars(first, buf + n, value);
    return ec == std::errc() ? value : 0;
}

qint16 RecordDecoder::toInteger16(double value)
{
    const double r = std::nearbyint(value); // the default rounding mode: halves to even
    if (!(r >= -32768 && r <= 32767))
        throw Failure{shell::FillError::Overflow};
    return qint16(r);
}

void RecordDecoder::normaliseUnit(double& wert, QString& einheit)
{
    const QString t = einheit.trimmed();
    if (t == QLatin1String("mm")) {
        wert *= 1000;
        einheit = QStringLiteral("µm  ");
    }
    if (einheit.trimmed() == QLatin1String("kA/m")) {
        wert *= 10;
        einheit = QStringLiteral("A/cm");
    }
    if (einheit.trimmed() == QLatin1String("kOe")) {
        wert *= 1000;
        einheit = QStringLiteral("Oe  ");
    }
    if (einheit == QLatin1String("ym  "))
        einheit = QStringLiteral("µm  ");
    if (einheit == QLatin1String("Oe") || einheit == QLatin1String("Oe  "))
        einheit = QStringLiteral("G   ");
}

QString RecordDecoder::cleanRecord(const QString& record)
{
    QString r = record;
    r.replace(QLatin1String("\r\n"), QLatin1String("  "));
    // A line feed of its own would split the row's line in a .mes file.
    r.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r;
}

RecordDecoder::Fields RecordDecoder::readFields(const QString& record)
{
    Fields f;
    const QStringView r(record);
    f.number = readDecimal(r.mid(0, 4));
    const QStringView value = r.size() > 6 ? r.mid(6, 10) : QStringView();
    f.wert = readDecimal(value);
    f.wertIsNumber = !shell::Numbers::namesNonFinite(value);
    // A short record still gives a unit of four characters, so units compare alike. Control characters are no
    // part of a unit or a material: they would be typed into the receiving program as commands.
    f.einheit = shell::TextFile::dropControls(r.size() > 17 ? r.mid(17, 4).toString() : QString())
                    .leftJustified(4, QLatin1Char(' '));
    f.material = shell::TextFile::dropControls(r.size() > 22 ? r.mid(22, 3).toString() : QString());
    normaliseUnit(f.wert, f.einheit);
    return f;
}

void RecordDecoder::stamp()
{
    // A memory of 5000 records is decoded within one second or two: format the clock only when it moves on.
    // The local clock costs a look at the time zone file each time; the plain clock says when it moved on.
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != m_stampSecond) {
        m_stampSecond = second;
        const QDateTime now = QDateTime::currentDateTime();
        m_zeit = now.time().toString(QStringLiteral("hh:mm:ss"));
        m_datum = now.date().toString(QStringLiteral("dd.MM.yyyy"));
    }
    m_st.heuteDatum = m_datum;
}

std::optional<shell::Messwert> RecordDecoder::decode(const QString& currentRecord, shell::Messart messart)
{
    shell::AppState& st = m_st;
    try {
        const QString record = cleanRecord(currentRecord);
        stamp();

        const Fields fields = readFields(record);
        if (!fields.wertIsNumber)
            throw Failure{shell::FillError::TypeMismatch};
        shell::Messwert m;
        // Online values are numbered by the table's own counter, not by the instrument.
        if (messart != shell::Messart::Online)
            m.nr = toInteger16(fields.number);
        m.wert = fields.wert;
        m.einheit = fields.einheit;
        const QString& mode = st.edition.materialMode;
        if (mode == QLatin1String("1")) {
            if (messart == shell::Messart::Speicher1)
                m.material = QStringLiteral(" Fe");
            else if (messart == shell::Messart::Speicher2)
                m.material = QStringLiteral("NFe");
            else
                m.material = fields.material;
        } else if (mode == QLatin1String("2")) {
            m.material = fields.material.trimmed();
        }
        m.datum = m_datum;
        m.zeit = m_zeit;
        m.view = shell::viewOf(messart);
        return m;
    } catch (const Failure& failure) {
        if (failure.error != shell::FillError::TypeMismatch) {
            shell::reportFillFailure(st, failure.error);
            return std::nullopt;
        }
        ++m_refused;
        st.WriteLog(shell::fillFailureText(st, failure.error) + QStringLiteral(": ") +
                    shell::TextFile::showControls(currentRecord.trimmed()));
        return std::nullopt;
    }
}

} // namespace instrument
