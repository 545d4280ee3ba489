#pragma once

#include <QString>

namespace shell {

// The program's own texts beside the numbered tables (Texte), one entry per text in PhraseList.h.
enum class Phrase {
#define PHRASE(name, de, en) name,
#include "PhraseList.h"
#undef PHRASE
};

// The text in German (language 0) or English.
const char* phraseText(Phrase phrase, bool english);
// The same as text in the given language (0 German, 1 English).
inline QString phrase(Phrase p, int sprache)
{
    return QString::fromUtf8(phraseText(p, sprache != 0));
}

} // namespace shell
