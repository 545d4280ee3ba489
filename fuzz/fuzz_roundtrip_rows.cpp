// Rows as the decoder makes them, saved and loaded: the same rows come back, with the value the file shows for
// the unit (a row numbered 0 keeps its value in full, so it never reads as the end of the table).
#include "FuzzData.h"
#include "FuzzTable.h"
#include "TakeValue.h"

#include "shell/Messwert.h"
#include "table/ValueFormat.h"

#include <bit>
#include <cmath>

namespace {

// Record texts never hold a line feed; the time is "hh:mm:ss"-shaped, so its line reads as a data line.
QChar cleaned(QChar c)
{
    return c == QLatin1Char('\n') ? QLatin1Char(' ') : c;
}

QString field(fuzz::FuzzData& in, int n)
{
    QString t = in.text(n);
    for (QChar& c : t)
        c = cleaned(c);
    return t;
}

QString timeField(fuzz::FuzzData& in)
{
    QString t = field(in, 8);
    t[2] = QLatin1Char(':');
    for (int i : {0, 1})
        if (t[i] == QLatin1Char(':') || t[i] == QLatin1Char('#'))
            t[i] = QLatin1Char('0');
    return t;
}

QString material(fuzz::FuzzData& in, const QString& mode)
{
    const uint8_t kind = in.byte();
    if (mode == QLatin1String("0"))
        return {};
    if (mode == QLatin1String("1") && kind % 3 < 2) // memory 1 or 2; online values bring their own
        return kind % 3 == 0 ? QStringLiteral(" Fe") : QStringLiteral("NFe");
    const QString t = field(in, kind / 3 % 4);
    return mode == QLatin1String("2") ? t.trimmed() : t;
}

// Mostly readings as an instrument gives them (up to ten digits, a few decimals); every eighth any finite double a
// record can bring, down to subnormals (larger ones are refused where they come in, so never reach the table).
double value(fuzz::FuzzData& in)
{
    const uint8_t kind = in.byte();
    if (kind % 8 == 0) {
        const double v = std::bit_cast<double>(in.bits(8));
        return std::isfinite(v) && std::fabs(v) <= shell::kLargestValue ? v : 0.0;
    }
    static const double scale[] = {1, 10, 100, 1000, 10000, 1e5, 1e6, 1e7};
    return double(int64_t(in.bits(5) << 24) >> 24) / scale[kind / 8 % 8];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzz::FuzzTable t;
    fuzz::FuzzData in(data, size);
    const QString mode = fuzz::useLocaleAndMaterialMode(in);
    t.st.edition.materialMode = mode;
    t.clear();
    t.table.prepareTransfer(0); // rows from the first on, as a read

    std::vector<fuzz::FuzzTable::Row> rows;
    while (in.left() >= 8 + 2 + 9 + 4 + 1 && rows.size() < 24) {
        const QString zeit = timeField(in);
        const auto nr = qint16(in.bits(2));
        const double wert = value(in);
        const QString einheit = field(in, 4);
        const QString mat = material(in, mode);
        if (nr == 0 && wert == 0)
            break; // the empty row: the table ends before it
        testsupport::take(t.st, t.table, {.wert = wert, .nr = nr, .einheit = einheit, .material = mat, .zeit = zeit});
        fuzz::check(t.table.aktZeile == int(rows.size()) + 2, "row stored");
        const double shown = table::shownValue(wert, table::decimalsForUnit(einheit));
        rows.emplace_back(zeit, nr, nr == 0 && shown == 0 ? wert : shown, einheit, mat);
    }

    t.load(t.save());
    // Without a material in the file (edition "0") a loaded row keeps the store's, which is the one appended.
    fuzz::check(t.rows() == rows, "saved rows load back as they were");
    return 0;
}
