// Fitting an edited text into a character field of a table, and the check that every letter
// of it can be stored there.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/windows_1250.h"

namespace kavrina::reg {

// `text` cut to at most `width` letters: the table stores one byte a letter (Windows-1250),
// so a field of 30 holds 30 letters whatever they are.
inline std::string fitField(std::string_view text, std::size_t width) {
  return win1250::cutToLetters(text, width);
}

// The message for a text typed into the field labelled `fieldLabel` that holds a letter the
// tables cannot store (Cyrillic, say); nothing when every letter can be stored. The form
// shows it, puts the focus into that field and saves nothing.
inline std::optional<std::string> unstorableTextMessage(std::string_view fieldLabel,
                                                        std::string_view text) {
  const std::optional<std::string> letter = win1250::firstUnstorableLetter(text);
  if (!letter) return std::nullopt;
  return "Polje \"" + std::string(fieldLabel) + "\" sadrzi znak \"" + *letter +
         "\" koji ne moze da se upise u bazu podataka.\nIspravite unos pa snimite ponovo.";
}

}  // namespace kavrina::reg
