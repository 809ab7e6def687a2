// The check a form makes before it saves: every letter typed into its text fields must have
// a place in the tables' code page (Windows-1250).
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

#include "ui/qt/picture_edit.h"
#include "ui/user_interface.h"

namespace kavrina::reg {

// An edit and the name of its field as the message gives it.
using LabelledEdit = std::pair<ui::PictureEdit*, std::string_view>;

// For the first edit whose text holds a letter the tables cannot store: shows the error
// message through `ui` naming its field, puts the focus into it and answers false (the form saves
// nothing and stays open with what was typed). True when every text can be stored.
bool textsStorable(ui::UserInterface& ui, std::initializer_list<LabelledEdit> edits);

}  // namespace kavrina::reg
