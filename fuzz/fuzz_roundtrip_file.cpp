// Any file loaded, saved and loaded again: the second load has the rows of the first, and saving it gives the
// same file.
#include "FuzzData.h"
#include "FuzzTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzz::FuzzTable t;
    static const char* const modes[] = {"0", "1", "2"};
    fuzz::FuzzData in(data, size);
    const uint8_t choice = in.byte();
    fuzz::useLocale(choice / 3);
    t.st.edition.materialMode = QString::fromLatin1(modes[choice % 3]);

    t.load(in.rest());
    const std::vector<fuzz::FuzzTable::Row> first = t.rows();
    const QString saved = t.save();
    t.load(saved);
    fuzz::check(t.rows() == first, "the saved file loads to the same rows");
    fuzz::check(t.save() == saved, "load, save, load gives the same file");
    return 0;
}
