// One QApplication for a test program of widgets, made before the first test and gone
// before exit (Qt's own globals are already being torn down by then). Include it in one
// source file of the test program.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QTest>
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

// Test failures show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace kavrina::test {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "kavrina_forms_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A click on a check box or radio button where its box is, as a user clicks it (the
// middle of a wide control lies beyond its text).
inline void clickBox(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Replaces an edit's text by typing: select all, then the keys.
template <class Edit>
void retype(Edit* edit, const char* text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// The captions of `form` that touch or overlap another control: for each visible label,
// the room its text takes (the label's own widget may be wider than its text), widened by
// one pixel, against the geometry of every other visible control except group boxes; all
// in the form's coordinates. Lines "caption / control name".
inline std::vector<std::string> captionsTouchingFields(QWidget* form) {
  std::vector<std::string> touching;
  const auto controls = form->findChildren<QWidget*>();
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    QString text = label->text();
    text.remove('&');
    const QRect own = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect textRect = label->fontMetrics().boundingRect(own, flags, text);
    const QRect room(label->mapTo(form, textRect.topLeft()) - QPoint(1, 1),
                     textRect.size() + QSize(2, 2));
    for (QWidget* other : controls) {
      if (other == label || !other->isVisible() || qobject_cast<QLabel*>(other) ||
          qobject_cast<QGroupBox*>(other) || other->isAncestorOf(label) ||
          label->isAncestorOf(other) || other->parentWidget() == nullptr ||
          other->parentWidget()->inherits("QComboBox") || other->inherits("QLineEditIconButton"))
        continue;
      // Only the form's own controls, not the parts inside them.
      if (other->parentWidget() != form && !qobject_cast<QGroupBox*>(other->parentWidget()))
        continue;
      const QRect geometry(other->mapTo(form, QPoint(0, 0)), other->size());
      if (room.intersects(geometry))
        touching.push_back(text.toStdString() + " / " + other->metaObject()->className() + " " +
                           other->objectName().toStdString());
    }
  }
  return touching;
}

// Saves a picture of the widget into the build folder, for a person to look at.
inline void screenshot(QWidget* widget, const char* name) {
  const auto file = std::filesystem::path(KAVRINA_SCREENSHOT_DIR) / name;
  widget->grab().save(QString::fromStdString(file.string()));
}

}  // namespace kavrina::test
