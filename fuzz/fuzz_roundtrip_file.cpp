// Any file loaded, saved and loaded again: the second load has the rows of the first, and saving it gives the
// same file.
#include "FuzzData.h"
#include "FuzzTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzz::FuzzTable t;
    fuzz::FuzzData in(data, size);
    t.st.edition.materialMode = fuzz::useLocaleAndMaterialMode(in);

    t.load(in.rest());
    const std::vector<fuzz::FuzzTable::Row> first = t.rows();
    const QString saved = t.save();
    t.load(saved);
    fuzz::check(t.rows() == first, "the saved file loads to the same rows");
    fuzz::check(t.save() == saved, "load, save, load gives the same file");
    return 0;
}
