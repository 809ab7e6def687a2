// The vocabulary of the program's message boxes: their kinds, button sets and answers,
// with the numeric codes the rest of the program compares against.
#pragma once

#include <string_view>

namespace kavrina::ui {

// What a message box says about its text; decides the icon and the title. The wait notice
// (kind 4) is not a message box here: it is `UserInterface::showWait`.
enum class MessageKind : int {
  Information = 0,
  Warning = 1,
  Error = 2,
  Confirmation = 3,
};

// The buttons of a message box.
enum class MessageButtons : int {
  YesNo = 1,
  Ok = 2,
};

// The button the user chose. A Yes/No box answers Yes only for an explicit Yes; closing it
// any other way (Escape, the window's close button) answers No.
enum class Answer : int {
  Ok = 1,
  Yes = 6,
  No = 7,
};

// The window title of a box of this kind, in the toolkit's language (English):
// "Information", "Warning", "Error", "Confirm".
std::string_view messageTitle(MessageKind kind);

// A short lower-case name of the kind ("information", "warning", "error", "confirmation"),
// used in recorded transcripts.
std::string_view messageKindName(MessageKind kind);

// The title of the wait notice and of the progress box.
inline constexpr std::string_view kWaitTitle = "Information";

// The text the input box answers invalid input with.
inline constexpr std::string_view kInvalidInputText = "Pogresan unos.";

}  // namespace kavrina::ui
