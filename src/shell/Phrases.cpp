#include "Phrases.h"

namespace shell {

namespace {
struct Pair {
    const char* de;
    const char* en;
};
const Pair kPhrases[] = {
#define PHRASE(name, de, en) {de, en},
#include "PhraseList.h"
#undef PHRASE
};
} // namespace

const char* phraseText(Phrase phrase, bool english)
{
    const Pair& p = kPhrases[static_cast<int>(phrase)];
    return english ? p.en : p.de;
}

} // namespace shell
