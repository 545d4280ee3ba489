#pragma once

namespace shell {

// The program's own texts beside the numbered tables (Texte), one entry per text in PhraseList.h.
enum class Phrase {
#define PHRASE(name, de, en) name,
#include "PhraseList.h"
#undef PHRASE
};

// The text in German (language 0) or English.
const char* phraseText(Phrase phrase, bool english);

} // namespace shell
