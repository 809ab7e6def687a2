// The date picker of the forms.
#include "register/date_picker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "register/form_messages.h"
#include "ui/message_box.h"
#include "ui/picture.h"

namespace kavrina::reg {

namespace {

// Day, month and year digits with the points fixed; a digit may be left blank, so that
// "1.7.2019" can be typed as it is said.
constexpr const char* kMask = "00.00.0000";

// Width of the calendar button inside the field's frame: narrow, so that the whole date
// shows in the forms' narrow date fields.
constexpr int kButtonWidth = 14;

// The date a text of the field holds: the typed date, the empty date ("" for a field with
// only its points) or no value for a text that is no date.
std::optional<std::string> typedDate(const QString& text) {
  static const ui::Picture kPicture = ui::parsePicture(ui::kDatePicture);
  return ui::pictureValue(kPicture, text.toStdString());
}

QString shown(Date date) {
  return QString::fromStdString(date.toText());
}

}  // namespace

DatePicker::DatePicker(ui::UserInterface* ui, const Clock& clock, QWidget* parent)
    : QLineEdit(parent), ui_(ui), clock_(clock) {
  setInputMask(kMask);
  button_ = new QToolButton(this);
  button_->setArrowType(Qt::DownArrow);
  button_->setAutoRaise(true);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setCursor(Qt::ArrowCursor);
  button_->setToolTip("Kalendar (Alt+Dole)");
  connect(button_, &QToolButton::clicked, this, [this] { showCalendar(); });
  setTextMargins(0, 0, kButtonWidth, 0);
  setValue(Date());
}

void DatePicker::setValue(Date date) {
  value_ = date;
  setText(shown(date));
  setModified(false);
}

Date DatePicker::value() const {
  if (!isModified()) return value_;
  const auto typed = typedDate(text());
  if (!typed || typed->empty()) return value_;
  return Date::fromText(*typed);
}

bool DatePicker::commit() {
  if (!isModified()) return true;
  const auto typed = typedDate(text());
  // A cleared field is no date either: the user took the date away without giving one.
  if (!typed || typed->empty()) return false;
  setValue(Date::fromText(*typed));
  return true;
}

bool DatePicker::check() {
  checkPending_ = false;
  if (commit()) return true;
  if (ui_ != nullptr)
    ui_->messageBox(invalidDateText(fieldName_, text().toStdString()), ui::MessageKind::Error,
                    ui::MessageButtons::Ok);
  setFocus(Qt::OtherFocusReason);
  deselect();
  setCursorPosition(0);
  return false;
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Enter takes the typed date and does nothing else (a form is never saved by it).
    check();
    event->accept();
    return;
  }
  if ((key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) || key == Qt::Key_F4) {
    showCalendar();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

bool DatePicker::focusNextPrevChild(bool next) {
  // Tab out of a field that holds no date: refused, the focus stays.
  if (!check()) return true;
  return QLineEdit::focusNextPrevChild(next);
}

void DatePicker::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The focus going to a message box, the calendar or another window is no leaving.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (commit()) return;
  checkPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!checkPending_ || !isVisible()) return;
    // A button of the form takes the click: Snimi checks the date itself, Odustani
    // throws it away.
    if (qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr) return;
    check();
  });
}

void DatePicker::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  button_->setGeometry(width() - frame - kButtonWidth, frame, kButtonWidth, height() - 2 * frame);
}

void DatePicker::showCalendar() {
  if (calendar_ != nullptr) return;
  auto* popup = new QFrame(this, Qt::Popup);
  popup->setAttribute(Qt::WA_DeleteOnClose);
  popup->setFrameShape(QFrame::Box);
  auto* layout = new QVBoxLayout(popup);
  layout->setContentsMargins(1, 1, 1, 1);
  calendar_ = new QCalendarWidget(popup);
  calendar_->setGridVisible(true);
  calendar_->setFirstDayOfWeek(Qt::Monday);
  const Date shownDate = value().empty() ? clock_.today() : value();
  calendar_->setSelectedDate(QDate(shownDate.year(), shownDate.month(), shownDate.day()));
  layout->addWidget(calendar_);
  // A day chosen with Enter or a click becomes the date; Escape or a click elsewhere
  // closes the calendar without a change.
  auto choose = [this, popup](const QDate& date) {
    calendar_ = nullptr;
    calendarChosen(date);
    popup->close();
    setFocus(Qt::PopupFocusReason);
  };
  connect(calendar_, &QCalendarWidget::activated, this, choose);
  connect(calendar_, &QCalendarWidget::clicked, this, choose);
  connect(popup, &QObject::destroyed, this, [this] { calendar_ = nullptr; });
  popup->adjustSize();
  popup->move(mapToGlobal(QPoint(0, height())));
  popup->show();
  calendar_->setFocus(Qt::PopupFocusReason);
}

void DatePicker::calendarChosen(const QDate& date) {
  setValue(Date::fromYmd(date.year(), date.month(), date.day()));
}

}  // namespace kavrina::reg
