// The .mes reader on any file: rows with finite values, four-character units and a material exactly where the
// edition's rows carry one.
#include "FuzzData.h"

#include "export/MesReader.h"
#include "shell/TextFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzData in(data, size);
    const QString mode = fuzz::useLocaleAndMaterialMode(in);
    const reports::MesReader::Result r = reports::MesReader::parse(shell::TextFile::splitLines(in.rest()), mode);
    for (const reports::MesReader::Row& row : r.rows) {
        fuzz::check(std::isfinite(row.wert), "finite value");
        fuzz::check(row.einheit.size() == 4 && row.zeit.size() <= 8, "unit and time widths");
        fuzz::check(row.material.has_value() == (mode != QLatin1String("0")), "material by edition");
        fuzz::check(row.zeit.at(2) == QLatin1Char(':'), "data lines only");
    }
    return 0;
}
