#include "Identification.h"

#include "shell/DeviceIdentity.h"
#include "shell/Numbers.h"
#include "shell/Phrases.h"

#include <QLocale>

#include <cmath>

namespace instrument::Identification {

namespace {

struct Reader {
    bool english;

    Failure failure(shell::Phrase text) const { return {QString::fromUtf8(shell::phraseText(text, english))}; }

    // Text positions count from 1, as in the answer's description; a negative length or a start before the
    // text is an invalid call.
    QString mid(const QString& s, qsizetype start, qsizetype length) const
    {
        if (start < 1 || length < 0)
            throw failure(shell::Phrase::InvalidProcedureCallOrArgument);
        return s.mid(start - 1, length);
    }

    // A 16-bit integer from text: blanks around it, digits with an optional sign and decimals (rounded half to
    // even). Infinities and NaN are not numbers.
    int toInteger(const QString& text) const
    {
        bool ok = false;
        const double v = QLocale::c().toDouble(shell::Numbers::trimBlanks(text), &ok);
        if (!ok || !std::isfinite(v))
            throw failure(shell::Phrase::TypeMismatch);
        const double r = std::nearbyint(v);
        if (r < -32768 || r > 32767)
            throw failure(shell::Phrase::Overflow);
        return int(r);
    }
};

} // namespace

void parse(const QString& answer, shell::DeviceIdentity& device, bool english)
{
    const Reader rd{english};
    const QString mode = shell::Numbers::trimBlanks(device.memoryMode);
    QString buf = answer;
    int n = 1;
    qsizetype p0;
    while ((p0 = buf.indexOf(QLatin1String("\r\n"))) >= 0) {
        // Positions from 1; c is 0 when the rest of the answer has no ":".
        const qsizetype p = p0 + 1;
        const qsizetype c = buf.indexOf(QLatin1Char(':')) + 1;
        const auto value = [&] { return shell::Numbers::trimBlanks(rd.mid(buf, c + 1, p - c - 1)); };
        if (n == 1) {
            device.geraet = buf.left(p - 1);
            const qsizetype d = device.geraet.indexOf(QLatin1Char('-')) + 1;
            if (d < 1)
                throw rd.failure(shell::Phrase::InvalidProcedureCallOrArgument);
            device.geraet = device.geraet.left(d - 1) + device.geraet.mid(d, 1);
        } else if (buf.startsWith(QLatin1String("VD"))) {
            device.geraetesoftware = value();
        } else if (buf.startsWith(QLatin1Char('M'))) {
            device.speichernr = rd.toInteger(rd.mid(buf, 2, c - 2));
            if (device.speichernr == 1 || mode == QLatin1String("1") || mode == QLatin1String("3"))
                device.memory1Count = rd.toInteger(rd.mid(buf, c + 1, p - c - 1));
            if (device.speichernr == 2 && mode.startsWith(QLatin1Char('2')))
                device.memory2Count = rd.toInteger(rd.mid(buf, c + 1, p - c - 1));
        } else if (buf.startsWith(QLatin1String("AD"))) {
            device.macadr = value();
        } else if (buf.startsWith(QLatin1String("PT"))) {
            device.sondentyp = value();
        } else if (buf.startsWith(QLatin1String("VP"))) {
            device.sondenversion = value();
        }
        buf.remove(0, p0 + 2);
        ++n;
    }
}

} // namespace instrument::Identification
