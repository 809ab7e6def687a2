// A panel of the main window's status bar that gives way when the window is narrow: its
// text is cut with an ellipsis at the end rather than pushing the other panels out, and
// the whole text shows as a tooltip.
#pragma once

#include <QLabel>

namespace kavrina::app {

class StatusPanel final : public QLabel {
 public:
  explicit StatusPanel(QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;
  // Whether the text is wider than the panel shows.
  bool cut() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace kavrina::app
