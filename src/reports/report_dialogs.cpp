// The reports' date dialog.
#include "reports/report_dialogs.h"

#include "ui/current_ui.h"
#include "ui/picture.h"

namespace kavrina::reports {

std::optional<Date> askReferenceDate(Date today) {
  ui::UserInterface& ui = ui::current();
  const auto typed = ui.inputBox("Unos", "Na dan:", today.toText(), ui::kDatePicture, 80);
  if (!typed) return std::nullopt;
  const Date date = Date::fromText(*typed);
  if (date.empty()) {
    ui.messageBox(ui::kInvalidInputText, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  return date;
}

std::optional<Date> askListDate(std::size_t rowCount, Date today) {
  if (rowCount == 0) {
    ui::current().messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information,
                             ui::MessageButtons::Ok);
    return std::nullopt;
  }
  return askReferenceDate(today);
}

}  // namespace kavrina::reports
