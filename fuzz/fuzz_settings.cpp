// Every settings reading on any file content: it applies or fails with the action's message, and what it sets
// stays in range.
#include "FuzzData.h"

#include "shell/AppState.h"
#include "shell/Settings.h"
#include "shell/TextFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static shell::AppState st;
    fuzz::FuzzData in(data, size);
    fuzz::useLocale(in.byte());
    const QStringList lines = shell::TextFile::splitLines(in.rest());

    st.device = {};
    st.edition.variantCode.clear();
    st.edition.companyName.clear();
    st.edition.kpgmname.clear();
    st.limits = {};
    st.rule = {};
    st.keys = {};
    st.link = {};
    for (const char* aktion : {"KL", "CL", "LL", "TL", "SL", "PI", "PL", "RL"}) {
        st.texte.sprache = 0;
        st.Errortext.clear();
        shell::Settings::applyLines(st, QString::fromLatin1(aktion), lines);
        const bool failed = !st.Errortext.isEmpty();
        fuzz::check(!failed || st.Errortext == shell::Settings::errorMessage(aktion, 0), "the action's own message");
        if (aktion[0] == 'T' && !failed)
            fuzz::check(!st.keys.tastenOptionen.isEmpty(), "keystroke flags never empty");
        if (aktion[0] == 'R')
            fuzz::check(st.rule.spotSize >= shell::InspectionRule::kMinSpot &&
                            st.rule.spotSize <= shell::InspectionRule::kMaxSpot && st.rule.spotsPerArea >= 1 &&
                            std::isfinite(st.rule.inspectionArea) && std::isfinite(st.rule.spotMinPct),
                        "rule settings in range");
        if (aktion[0] == 'S')
            fuzz::check(st.texte.sprache >= 0 && st.texte.sprache <= 2, "language index");
    }
    fuzz::check(std::isfinite(st.limits.Emin) && std::isfinite(st.limits.Emax) && std::isfinite(st.limits.Esoll),
                "finite limits");
    return 0;
}
