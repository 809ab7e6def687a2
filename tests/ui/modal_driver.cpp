// The modal-box driver of the Qt tests.
#include "modal_driver.h"

#include <QApplication>
#include <QDialog>
#include <QMetaObject>

namespace kavrina::ui::testing {

ModalDriver::ModalDriver(int timeoutMs) : timeoutMs_(timeoutMs) {
  clock_.start();
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start(5);
}

ModalDriver::~ModalDriver() {
  timer_.stop();
}

void ModalDriver::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (clock_.elapsed() > timeoutMs_ && !done()) {
    timedOut_ = true;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  if (pending_ || next_ == steps_.size() || modal == nullptr || !modal->isVisible()) return;
  // The action runs from a queued call, not from this timer's slot: an action that opens a
  // nested modal loop (OK on refused input opens the error box) must not keep this timer
  // busy, or the next step could never be polled.
  pending_ = true;
  QPointer<QWidget> target(modal);
  const std::size_t step = next_;
  QMetaObject::invokeMethod(
      &timer_,
      [this, target, step] {
        pending_ = false;
        if (!target || next_ != step || !steps_[step].matches(target.data())) return;
        // Counted before acting: the action may sit in a nested loop while later steps run.
        ++next_;
        steps_[step].act(target.data());
      },
      Qt::QueuedConnection);
}

}  // namespace kavrina::ui::testing
