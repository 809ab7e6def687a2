// A QValidator that lets the edit hold only what an input picture can accept.
#pragma once

#include <QValidator>

#include "ui/picture.h"

namespace kavrina::ui {

// Refuses keystrokes that pictureAllowsTyping refuses; the full check (a complete date,
// no blank between digits) is made when the box is confirmed.
class PictureValidator final : public QValidator {
 public:
  PictureValidator(Picture picture, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  Picture picture_;
};

}  // namespace kavrina::ui
