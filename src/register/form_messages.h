// The messages of the register forms: a record that could not be added, typed values
// about to be thrown away.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::reg {

// Shown when a new record cannot be appended because another station holds the table's
// append lock; the form stays open with what was typed, so that Snimi can be pressed again.
inline constexpr std::string_view kNotSavedText =
    "Podaci nisu snimljeni. Pokusajte ponovo.\n"
    "Moguc uzrok: Baza je u upotrebi od strane drugog operatera.";

// The refusal of a date field named `field` ("datum nabavke") holding `typed`: "Pogresan
// datum nabavke: 31.02.2024 (dd.mm.gggg)", "prazno polje" for a field with only its points,
// "Pogresan unos." without a name.
std::string invalidDateText(std::string_view field, std::string_view typed);

// Asked when Escape would close the asset form over values typed since they were shown.
inline constexpr std::string_view kOdustatiOdIzmena = "Odustati od unetih izmena?";

}  // namespace kavrina::reg
