// The date picker of the forms.
#include "register/date_picker.h"

namespace kavrina::reg {

namespace {
// The picker's lowest date stands for the empty date (shown as an empty text).
const QDate kEmptyDate(1753, 1, 1);
}  // namespace

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat("dd.MM.yyyy");
  setCalendarPopup(true);
  setMinimumDate(kEmptyDate);
  setSpecialValueText(" ");
}

void DatePicker::setValue(Date date) {
  setDate(date.empty() ? kEmptyDate : QDate(date.year(), date.month(), date.day()));
}

Date DatePicker::value() const {
  const QDate d = date();
  if (d == kEmptyDate) return Date();
  return Date::fromYmd(d.year(), d.month(), d.day());
}

}  // namespace kavrina::reg
