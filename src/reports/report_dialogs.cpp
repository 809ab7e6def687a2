// The reports' date dialog.
#include "reports/report_dialogs.h"

#include "ui/picture.h"

namespace kavrina::reports {

std::optional<Date> askReferenceDate(ui::UserInterface& ui, Date today) {
  const auto typed = ui.inputBox("Unos", "Na dan:", today.toText(), ui::kDatePicture, 80);
  if (!typed) return std::nullopt;
  const Date date = Date::fromText(*typed);
  if (date.empty()) {
    ui.messageBox(ui::kInvalidInputText, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  return date;
}

std::optional<Date> askListDate(ui::UserInterface& ui, std::size_t rowCount, Date today) {
  if (rowCount == 0) {
    ui.messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  return askReferenceDate(ui, today);
}

}  // namespace kavrina::reports
