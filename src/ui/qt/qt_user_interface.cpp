// The Qt user interface: message and input boxes, wait notice, progress box, events.
#include "ui/qt/qt_user_interface.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProgressDialog>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "errors/end_program.h"
#include "ui/display_text.h"
#include "ui/picture.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/qt_message_box.h"
#include "ui/qt/wait_notice_window.h"

namespace kavrina::ui {

namespace {

// How long showing a notice waits for the window system to map it before painting.
constexpr qint64 kExposeWaitMs = 250;

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows `window` and paints it before returning, so that a notice is readable even though
// the caller goes straight into work that lets events run only now and then. User input is
// held back meanwhile.
void showAndPaint(QWidget* window) {
  window->show();
  window->raise();
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    errors::continueEnding();
    const QWindow* handle = window->windowHandle();
    if ((handle != nullptr && handle->isExposed()) || waited.elapsed() >= kExposeWaitMs) break;
    QThread::msleep(2);
  }
  window->repaint();
}

// Holds back the user's input to every window but `notice` while it is installed on the
// application. Unlike a modal notice it lets the window system's close of the main window
// through, so a network step can be given up by closing the program.
class InputHold final : public QObject {
 public:
  explicit InputHold(QWidget* notice) : notice_(notice) {}

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!isUserInput(event->type())) return false;
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (notice_ && widget && (widget == notice_ || notice_->isAncestorOf(widget))) return false;
    if (notice_ && receiver == notice_->windowHandle()) return false;
    return true;
  }

 private:
  static bool isUserInput(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletPress:
      case QEvent::TabletRelease:
        return true;
      default:
        return false;
    }
  }

  QPointer<QWidget> notice_;
};

// How the wait notice keeps the user from starting something else meanwhile.
enum class Hold {
  Modal,             // every other window is blocked, its close included
  InputButNotClose,  // input is held back; the main window may still be closed
};

class QtWaitNotice final : public WaitNotice {
 public:
  QtWaitNotice(std::string_view text, QWidget* parent, Hold hold)
      : window_(new WaitNoticeWindow(text, parent)) {
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (hold == Hold::Modal) {
      window_->setWindowModality(Qt::ApplicationModal);
    } else {
      inputHold_ = std::make_unique<InputHold>(window_.get());
      QCoreApplication::instance()->installEventFilter(inputHold_.get());
    }
    showAndPaint(window_.get());
  }
  // The window may already be gone with its parent; QPointer then holds null.
  ~QtWaitNotice() override {
    if (inputHold_) QCoreApplication::instance()->removeEventFilter(inputHold_.get());
    delete window_.get();
  }

 private:
  QPointer<WaitNoticeWindow> window_;
  std::unique_ptr<InputHold> inputHold_;
};

class QtProgressBox final : public ProgressBox {
 public:
  QtProgressBox(std::string_view text, int minimum, int maximum, QWidget* parent)
      : dialog_(new QProgressDialog(parent)) {
    dialog_->setObjectName("progressBox");
    dialog_->setWindowTitle(toQString(kWaitTitle));
    dialog_->setLabelText(toQString(displayText(text)));
    dialog_->setCancelButtonText(QStringLiteral("Cancel"));
    // The owner decides when the box goes: reaching the end neither resets nor hides it.
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setMinimumDuration(0);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setRange(minimum, maximum);
    dialog_->setValue(minimum);
    keepRange();
    showAndPaint(dialog_.get());
    sinceShown_.start();
  }
  ~QtProgressBox() override { delete dialog_.get(); }

  void setRange(int minimum, int maximum) override {
    if (!dialog_) return;
    dialog_->setRange(minimum, maximum);
    keepRange();
  }
  // Passes the position on only when the bar moves by a visible step, at the ends of the
  // range, or after a pause: a loop that sets it for each of 100,000 records would otherwise
  // spend most of its time redrawing the box (and asking the clock).
  void setPosition(int position) override {
    if (!dialog_) return;
    const qint64 span = std::max<qint64>(1, qint64(maximum_) - minimum_);
    const qint64 moved = std::abs(qint64(position) - shown_);
    const bool step = position <= minimum_ || position >= maximum_ || moved * kVisibleSteps >= span;
    if (!step && (++quietCalls_ % kCallsPerClockLook != 0 || sinceShown_.elapsed() < kRedrawMs))
      return;
    if (dialog_->wasCanceled()) return;
    dialog_->setValue(position);
    shown_ = dialog_->value();
    sinceShown_.restart();
  }
  bool cancelled() const override { return !dialog_ || dialog_->wasCanceled(); }

 private:
  // Keeps the dialog's range and position beside it, so that a position is judged without
  // asking the dialog.
  void keepRange() {
    minimum_ = dialog_->minimum();
    maximum_ = dialog_->maximum();
    shown_ = dialog_->value();
  }

  // The bar moves in hundredths (each a repaint of the box); smaller moves wait for kRedrawMs.
  static constexpr qint64 kVisibleSteps = 100;
  static constexpr qint64 kRedrawMs = 100;
  // Between steps the clock is asked once in this many calls.
  static constexpr unsigned kCallsPerClockLook = 16;
  QPointer<QProgressDialog> dialog_;
  int minimum_ = 0;
  int maximum_ = 0;
  int shown_ = 0;  // the position the bar shows
  unsigned quietCalls_ = 0;
  QElapsedTimer sinceShown_;
};

}  // namespace

QtUserInterface::QtUserInterface(QWidget* parentWindow) : parent_(parentWindow) {}

void QtUserInterface::setParentWindow(QWidget* parentWindow) {
  parent_ = parentWindow;
}

Answer QtUserInterface::messageBox(std::string_view text, MessageKind kind,
                                   MessageButtons buttons) {
  return showQtMessageBox(parent_.get(), text, kind, buttons);
}

std::optional<std::string> QtUserInterface::inputBox(std::string_view caption,
                                                     std::string_view prompt,
                                                     std::string_view value,
                                                     std::string_view picture, int widthPixels) {
  InputDialog dialog(caption, prompt, value, parsePicture(picture), widthPixels, parent_.get());
  const int result = dialog.exec();
  errors::continueEnding();
  if (result != QDialog::Accepted) return std::nullopt;
  return dialog.value();
}

std::unique_ptr<WaitNotice> QtUserInterface::showWait(std::string_view text) {
  return std::make_unique<QtWaitNotice>(text, parent_.get(), Hold::Modal);
}

std::unique_ptr<WaitNotice> QtUserInterface::showNetworkWait(std::string_view text) {
  return std::make_unique<QtWaitNotice>(text, parent_.get(), Hold::InputButNotClose);
}

std::unique_ptr<ProgressBox> QtUserInterface::showProgress(std::string_view text, int minimum,
                                                           int maximum) {
  return std::make_unique<QtProgressBox>(text, minimum, maximum, parent_.get());
}

void QtUserInterface::processEvents() {
  QCoreApplication::processEvents();
  errors::continueEnding();
}

}  // namespace kavrina::ui
