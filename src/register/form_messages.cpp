// The texts of the register forms' refusals.
#include "register/form_messages.h"

#include <algorithm>

#include "common/text.h"
#include "ui/message_box.h"

namespace kavrina::reg {

std::string invalidDateText(std::string_view field, std::string_view typed) {
  if (field.empty()) return std::string(ui::kInvalidInputText);
  const std::string_view shown = text::trimBlanks(typed);
  const bool empty =
      std::all_of(shown.begin(), shown.end(), [](char c) { return c == '.' || c == ' '; });
  return "Pogresan " + std::string(field) + ": " +
         (empty ? std::string("prazno polje") : std::string(shown)) + " (dd.mm.gggg)";
}

}  // namespace kavrina::reg
