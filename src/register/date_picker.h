// The forms' date picker: a date typed as dd.mm.yyyy into a masked field (the points stand,
// typing overwrites, a typed point moves on to the next part), with a calendar that drops
// down from its button or with Alt+Down. It can also hold the empty date of a table field.
#pragma once

#include <QLineEdit>
#include <string>

#include "common/clock.h"
#include "common/date.h"
#include "ui/user_interface.h"

class QCalendarWidget;
class QToolButton;

namespace kavrina::reg {

// What is typed is taken as the date when the field is left or Enter is pressed: the whole
// date ("25.05.2020"), its parts one after the other ("25052020"), short parts ("1.7.2019")
// and pasted text all give the date as typed. A text that is no date ("31.02.2021", a
// cleared field) is refused with a message naming the field, what was typed and the form
// expected ("Pogresan datum nabavke: 31.02.2021 (dd.mm.gggg)"), and the focus stays in the
// field.
class DatePicker final : public QLineEdit {
  Q_OBJECT

 public:
  // `ui` tells the refusal (none: the refusal is not shown); the calendar of an empty field
  // opens on today by `clock`, which must outlive the field.
  DatePicker(ui::UserInterface* ui, const Clock& clock, QWidget* parent = nullptr);

  // Shows the date; the empty date shows as a field with only its points.
  void setValue(Date date);
  // The date the field holds: the typed one when it is a date, otherwise the last accepted.
  Date value() const;

  // Takes the typed text as the field's date. False, with the field unchanged, when the
  // user changed the text into something that is no date.
  bool commit();
  // commit(); when it fails, shows invalidDateText(), puts the focus back in the field
  // with the cursor at its start and nothing selected (keys typed on after the Tab type
  // over the refused date instead of wiping it out), and answers false.
  bool check();

  // What the field is called in its refusal ("datum nabavke"); without a name the refusal
  // is "Pogresan unos.".
  void setFieldName(std::string name) { fieldName_ = std::move(name); }

  // Drops the calendar down below the field, preset to its date.
  void showCalendar();
  // The calendar while it is dropped down, otherwise null.
  QCalendarWidget* calendar() const { return calendar_; }
  // The button at the field's right end that drops the calendar down.
  QToolButton* calendarButton() const { return button_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void calendarChosen(const QDate& date);

  ui::UserInterface* ui_;
  const Clock& clock_;
  Date value_;
  std::string fieldName_;
  // Set when the field was left with a text that is no date; the check runs once the focus
  // change is complete (a check from Snimi may have run first).
  bool checkPending_ = false;
  QCalendarWidget* calendar_ = nullptr;
  QToolButton* button_ = nullptr;
};

}  // namespace kavrina::reg
