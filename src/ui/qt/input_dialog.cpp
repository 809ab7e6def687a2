// The modal input box.
#include "ui/qt/input_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/message_box.h"
#include "ui/qt/picture_validator.h"
#include "ui/qt/qt_message_box.h"

namespace kavrina::ui {

namespace {
QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

InputDialog::InputDialog(std::string_view caption, std::string_view prompt, std::string_view value,
                         Picture picture, int widthPixels, QWidget* parent)
    : QDialog(parent), picture_(picture), edit_(new QLineEdit(this)) {
  setObjectName("inputDialog");
  setWindowTitle(toQString(caption));
  setModal(true);

  auto* label = new QLabel(toQString(prompt), this);
  label->setObjectName("inputPrompt");
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(edit_);

  edit_->setObjectName("inputEdit");
  edit_->setText(toQString(value));
  edit_->setValidator(new PictureValidator(picture_, edit_));
  if (picture_.maxLength > 0) edit_->setMaxLength(static_cast<int>(picture_.maxLength));
  if (widthPixels > 0) edit_->setFixedWidth(widthPixels);
  edit_->selectAll();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &InputDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &InputDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(edit_, 0, Qt::AlignLeft);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  edit_->setFocus();
}

void InputDialog::accept() {
  auto accepted = pictureValue(picture_, edit_->text().toStdString());
  if (!accepted) {
    showQtMessageBox(this, kInvalidInputText, MessageKind::Error, MessageButtons::Ok);
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  value_ = std::move(*accepted);
  QDialog::accept();
}

}  // namespace kavrina::ui
