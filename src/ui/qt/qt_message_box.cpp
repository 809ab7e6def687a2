// The Qt message box.
#include "ui/qt/qt_message_box.h"

#include <QMessageBox>
#include <QString>

#include "errors/end_program.h"
#include "ui/display_text.h"

namespace kavrina::ui {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::Information;
}

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Answer showQtMessageBox(QWidget* parent, std::string_view text, MessageKind kind,
                        MessageButtons buttons) {
  QMessageBox box(parent);
  box.setObjectName("kavrinaMessageBox");
  box.setIcon(iconOf(kind));
  box.setWindowTitle(toQString(messageTitle(kind)));
  // Plain text: names taken from the data may hold characters Qt would read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(toQString(displayText(text)));
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.exec();
  errors::continueEnding();
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

}  // namespace kavrina::ui
