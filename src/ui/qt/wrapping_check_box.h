// A check box whose caption wraps onto further lines when it is wider than the box, instead
// of being cut at the form's edge.
#pragma once

#include <QCheckBox>

class QLabel;

namespace kavrina::ui {

// The caption is a word-wrapped label beside the indicator; a click anywhere on the box,
// caption included, toggles it, and Space toggles it as on any check box.
class WrappingCheckBox final : public QCheckBox {
 public:
  WrappingCheckBox(const QString& caption, QWidget* parent = nullptr);

  QString caption() const;
  // The caption's label, for a look at how it is laid out.
  QLabel* captionLabel() const { return label_; }

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;

 protected:
  bool hitButton(const QPoint& pos) const override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where the caption starts: the indicator's width and the spacing after it.
  int captionLeft() const;
  // The height of the first line, beside which the indicator stands.
  int firstLineHeight() const;

  QLabel* label_;
};

}  // namespace kavrina::ui
