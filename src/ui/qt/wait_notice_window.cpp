// The wait notice window.
#include "ui/qt/wait_notice_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/display_text.h"
#include "ui/message_box.h"

namespace kavrina::ui {

WaitNoticeWindow::WaitNoticeWindow(std::string_view text, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(this)) {
  setObjectName("waitNotice");
  setWindowTitle(QString::fromUtf8(kWaitTitle.data(), static_cast<qsizetype>(kWaitTitle.size())));
  const std::string shown = displayText(text);
  label_->setObjectName("waitText");
  label_->setTextFormat(Qt::PlainText);
  label_->setText(QString::fromStdString(shown));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->addWidget(label_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString WaitNoticeWindow::text() const {
  return label_->text();
}

void WaitNoticeWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace kavrina::ui
