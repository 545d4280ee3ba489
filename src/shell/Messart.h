#pragma once

namespace shell {

// The view in use and the kind of the current transfer.
enum class Messart {
    Speicher1 = 0,   // memory 1 (normally Fe)
    Speicher2 = 1,   // memory 2 (normally NFe, or the second Fe memory)
    Online = 2,      // online values
    Geraeteinfo = 3, // identification in progress; selects no view
};

// The store's view index of a transfer kind; -1 for the identification.
constexpr int viewOf(Messart m)
{
    return m == Messart::Geraeteinfo ? -1 : int(m);
}

constexpr Messart messartOfView(int view)
{
    return Messart(view);
}

} // namespace shell
