// The window of the wait notice: a text, no buttons, closed only by the code that opened it.
#pragma once

#include <QWidget>
#include <string_view>

class QLabel;

namespace kavrina::ui {

// A dialog-style top-level window with one label. It refuses to be closed by the user (its
// close button and Alt+F4 are ignored); the owner closes it by destroying it.
class WaitNoticeWindow final : public QWidget {
  Q_OBJECT

 public:
  WaitNoticeWindow(std::string_view text, QWidget* parent);
  QString text() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_;
};

}  // namespace kavrina::ui
