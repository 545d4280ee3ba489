// The record decoder on any bytes: four-character units and materials without control characters, finite values,
// no line end left, a number that either fits 16 bits or is reported, a value that names no number refused; the
// record as printed holds no control character.
#include "FuzzData.h"

#include "link/RecordDecoder.h"
#include "shell/AppState.h"
#include "shell/TextFile.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static shell::AppState st;
    static instrument::RecordDecoder decoder(st);
    static const char* const modes[] = {"0", "1", "2"};

    fuzz::FuzzData in(data, size);
    const uint8_t choice = in.byte();
    st.edition.materialMode = QString::fromLatin1(modes[choice % 3]);
    const auto messart = shell::Messart((choice / 3) % 3);
    const QString raw = in.rest();
    const auto noControls = [](const QString& text) {
        return std::none_of(text.cbegin(), text.cend(),
                            [](QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); });
    };
    fuzz::check(noControls(shell::TextFile::showControls(raw)), "printed without control characters");

    const QString record = instrument::RecordDecoder::cleanRecord(raw);
    fuzz::check(record.size() == raw.size() && !record.contains(QLatin1Char('\n')), "cleaned record");
    const instrument::RecordDecoder::Fields f = instrument::RecordDecoder::readFields(record);
    fuzz::check(f.einheit.size() == 4, "unit of four characters");
    fuzz::check(noControls(f.einheit) && noControls(f.material), "unit and material type no control characters");
    fuzz::check(std::isfinite(f.wert) && std::isfinite(f.number), "finite fields");
    fuzz::check(std::isfinite(instrument::RecordDecoder::readDecimal(record)), "finite decimal");

    if (const auto m = decoder.decode(raw, messart)) {
        fuzz::check(m->einheit == f.einheit && m->wert == f.wert, "decode reads the same fields");
        fuzz::check(messart == shell::Messart::Online || m->nr.has_value(), "memory records keep their number");
        if (m->material)
            fuzz::check(m->material->size() <= 3 && !m->material->contains(QLatin1Char('\n')), "material");
    } else {
        fuzz::check(!f.wertIsNumber ||
                        (messart != shell::Messart::Online && !(std::fabs(std::nearbyint(f.number)) <= 32767)),
                    "only a value that is no number or a number beyond 16 bits fails");
    }
    return 0;
}
