// The modal input box: a caption, a prompt, one edit bound to an input picture, OK and
// Cancel.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "ui/picture.h"

class QLineEdit;

namespace kavrina::ui {

// Holds its prompt label and edit. OK checks the edit with the picture: refused input is
// answered with the error box "Pogresan unos." and the box stays open with the text selected;
// accepted input closes the box and is available from value().
class InputDialog final : public QDialog {
  Q_OBJECT

 public:
  InputDialog(std::string_view caption, std::string_view prompt, std::string_view value,
              Picture picture, int widthPixels, QWidget* parent = nullptr);

  // The accepted value (pictureValue of the edit); empty before the box is accepted.
  const std::string& value() const { return value_; }
  QLineEdit* edit() const { return edit_; }

  void accept() override;

 private:
  Picture picture_;
  QLineEdit* edit_;
  std::string value_;
};

}  // namespace kavrina::ui
