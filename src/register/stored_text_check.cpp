#include "register/stored_text_check.h"

#include "register/field_text.h"

namespace kavrina::reg {

bool textsStorable(ui::UserInterface& ui, std::initializer_list<LabelledEdit> edits) {
  for (const auto& [edit, label] : edits) {
    if (const auto refused = unstorableTextMessage(label, edit->valueText())) {
      ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
      edit->setFocus();
      return false;
    }
  }
  return true;
}

}  // namespace kavrina::reg
