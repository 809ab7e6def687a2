// Keystroke check of the input box.
#include "ui/qt/picture_validator.h"

namespace kavrina::ui {

PictureValidator::PictureValidator(Picture picture, QObject* parent)
    : QValidator(parent), picture_(picture) {}

QValidator::State PictureValidator::validate(QString& input, int& position) const {
  return pictureAllowsTyping(picture_, input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace kavrina::ui
