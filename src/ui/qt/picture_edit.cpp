// The picture-bound edit field of the forms.
#include "ui/qt/picture_edit.h"

namespace kavrina::ui {

namespace {

// The "!" rule for any letter, not only ASCII ones.
QString withCaseRule(const FieldPicture& picture, QString text) {
  if (picture.upperFirst && !text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

}  // namespace

FieldPictureValidator::FieldPictureValidator(FieldPicture picture, QObject* parent)
    : QValidator(parent), picture_(picture) {}

QValidator::State FieldPictureValidator::validate(QString& input, int& position) const {
  input = withCaseRule(picture_, input);
  return fieldAllowsTyping(picture_, input.toStdString()) ? Acceptable : Invalid;
}

PictureEdit::PictureEdit(std::string_view picture, QWidget* parent)
    : QLineEdit(parent), picture_(parseFieldPicture(picture)) {
  setValidator(new FieldPictureValidator(picture_, this));
  if (picture_.kind != FieldKind::Number) {
    setMaxLength(static_cast<int>(picture_.maxLength));
  } else {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A finished number is shown as the picture writes it ("2,500,000.00").
    connect(this, &QLineEdit::editingFinished, this, [this] { setNumber(number()); });
  }
}

void PictureEdit::setValueText(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  text = end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
  setText(
      withCaseRule(picture_, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

std::string PictureEdit::valueText() const {
  return withCaseRule(picture_, text()).toStdString();
}

void PictureEdit::setNumber(double value) {
  setText(QString::fromStdString(fieldNumberText(picture_, value)));
}

double PictureEdit::number() const {
  return fieldNumber(text().toStdString());
}

}  // namespace kavrina::ui
