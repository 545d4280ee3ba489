// The .mes reader on any file: rows with values a record can bring, four-character units and a material exactly
// where the edition's rows carry one; every data line is a row or refused.
#include "FuzzData.h"

#include "export/MesReader.h"
#include "shell/Messwert.h"
#include "shell/TextFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzData in(data, size);
    const QString mode = fuzz::useLocaleAndMaterialMode(in);
    const QStringList lines = shell::TextFile::splitLines(in.rest());
    const reports::MesReader::Result r = reports::MesReader::parse(lines, mode);
    for (const int n : r.refused)
        fuzz::check(n >= 1 && n <= lines.size() && lines.at(n - 1).indexOf(QLatin1Char(':')) == 2, "refused data line");
    for (const reports::MesReader::Row& row : r.rows) {
        fuzz::check(std::isfinite(row.wert) && std::fabs(row.wert) <= shell::kLargestValue, "measurable value");
        fuzz::check(row.einheit.size() == 4 && row.zeit.size() <= 8, "unit and time widths");
        fuzz::check(row.material.has_value() == (mode != QLatin1String("0")), "material by edition");
        fuzz::check(row.zeit.at(2) == QLatin1Char(':'), "data lines only");
    }
    return 0;
}
