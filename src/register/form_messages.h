// The one message of the register forms: a record that could not be added.
#pragma once

#include <string_view>

namespace kavrina::reg {

// Shown when a new record cannot be appended because another station holds the table's
// append lock; the form stays open with what was typed, so that Snimi can be pressed again.
inline constexpr std::string_view kNotSavedText =
    "Podaci nisu snimljeni. Pokusajte ponovo.\n"
    "Moguc uzrok: Baza je u upotrebi od strane drugog operatera.";

}  // namespace kavrina::reg
