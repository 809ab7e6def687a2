#include "register/stored_text_check.h"

#include "register/field_text.h"
#include "ui/current_ui.h"

namespace kavrina::reg {

bool textsStorable(std::initializer_list<LabelledEdit> edits) {
  for (const auto& [edit, label] : edits) {
    if (const auto refused = unstorableTextMessage(label, edit->valueText())) {
      ui::current().messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
      edit->setFocus();
      return false;
    }
  }
  return true;
}

}  // namespace kavrina::reg
