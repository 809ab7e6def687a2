// Drives modal Qt boxes from a test: each step waits until a widget of its type is the
// active modal widget and then acts on it (types, clicks), while the code under test sits
// in the box's own event loop.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace kavrina::ui::testing {

class ModalDriver {
 public:
  // Starts watching at once. After `timeoutMs` without finishing, every modal dialog is
  // rejected so that the test fails instead of hanging.
  explicit ModalDriver(int timeoutMs = 5000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Adds a step for the next active modal widget of type W.
  template <class W, class F>
  ModalDriver& on(F action) {
    steps_.push_back(Step{[](QWidget* widget) { return qobject_cast<W*>(widget) != nullptr; },
                          [action](QWidget* widget) { action(qobject_cast<W*>(widget)); }});
    return *this;
  }

  bool done() const { return next_ == steps_.size() && !pending_; }
  bool timedOut() const { return timedOut_; }

 private:
  void poll();

  struct Step {
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> act;
  };
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool pending_ = false;
  bool timedOut_ = false;
  int timeoutMs_;
  QElapsedTimer clock_;
  QTimer timer_;
};

}  // namespace kavrina::ui::testing
