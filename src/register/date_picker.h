// The forms' date picker: a date edit with a calendar drop-down showing dd.mm.yyyy, that
// can also hold the empty date of a table field without turning it into a real one.
#pragma once

#include <QDateEdit>

#include "common/date.h"

namespace kavrina::reg {

class DatePicker final : public QDateEdit {
 public:
  explicit DatePicker(QWidget* parent = nullptr);

  // Shows the date; the empty date shows as an empty field.
  void setValue(Date date);
  // The date shown; the empty date while the field shows none.
  Date value() const;
};

}  // namespace kavrina::reg
