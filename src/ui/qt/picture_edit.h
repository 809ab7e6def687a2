// An edit field of a form bound to a field picture (ui/field_picture.h): it refuses what
// the picture refuses while the user types, applies the "!" case rule, and shows and reads
// the number of a number picture.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <string>
#include <string_view>

#include "ui/field_picture.h"

namespace kavrina::ui {

// Keystroke check of a picture edit: applies the case rule to the text, then accepts it
// only when fieldAllowsTyping does.
class FieldPictureValidator final : public QValidator {
 public:
  FieldPictureValidator(FieldPicture picture, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  FieldPicture picture_;
};

class PictureEdit final : public QLineEdit {
 public:
  // Raises std::invalid_argument for a picture parseFieldPicture refuses. Number edits are
  // right-aligned; the form may set another alignment.
  PictureEdit(std::string_view picture, QWidget* parent = nullptr);

  const FieldPicture& picture() const { return picture_; }

  // Shows a stored text: trailing blanks dropped (a table field is padded with them), the
  // case rule applied.
  void setValueText(std::string_view text);
  // The edit's text (UTF-8) with the case rule applied.
  std::string valueText() const;

  // Number and Digits edits: shows the value as fieldNumberText writes it.
  void setNumber(double value);
  // The number the text holds (fieldNumber): 0 for an empty edit.
  double number() const;

 private:
  FieldPicture picture_;
};

}  // namespace kavrina::ui
