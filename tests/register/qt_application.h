// One QApplication for a test program of widgets, made before the first test and gone
// before exit (Qt's own globals are already being torn down by then). Include it in one
// source file of the test program.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include <QString>
#include <ostream>

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

// Saves a picture of the widget into the build folder, for a person to look at.
inline void screenshot(QWidget* widget, const char* name) {
  const auto file = std::filesystem::path(KAVRINA_SCREENSHOT_DIR) / name;
  widget->grab().save(QString::fromStdString(file.string()));
}

}  // namespace kavrina::test
