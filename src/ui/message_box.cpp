// Titles and names of the message-box kinds.
#include "ui/message_box.h"

namespace kavrina::ui {

std::string_view messageTitle(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return "Information";
    case MessageKind::Warning:
      return "Warning";
    case MessageKind::Error:
      return "Error";
    case MessageKind::Confirmation:
      return "Confirm";
  }
  return "Information";
}

std::string_view messageKindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return "information";
    case MessageKind::Warning:
      return "warning";
    case MessageKind::Error:
      return "error";
    case MessageKind::Confirmation:
      return "confirmation";
  }
  return "information";
}

}  // namespace kavrina::ui
