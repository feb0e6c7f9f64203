// Works a modal window from a test as soon as it is the active modal widget, for a test that then
// calls the code that opens it and waits in its exec(). The wait is bounded: when no such window
// opens in time, or the work leaves it open, the window is closed so that exec() returns, and
// Failure() says what went wrong.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

namespace ormlax::app::testing {

class ModalWatch {
 public:
  ModalWatch(const char* kind, std::chrono::milliseconds limit) : kind_(kind), deadline_(limit) {}

  bool Worked() const { return found_ && !expired_; }
  // What went wrong; empty once the window was worked.
  QString Failure() const {
    if (!found_) return QString("no %1 became the active modal window in time").arg(kind_);
    if (expired_) return QString("the %1 was still open at the deadline").arg(kind_);
    return {};
  }

  template <typename Window>
  void Watch(std::function<void(Window&)> work) {
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this, work] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!found_) {
        if (auto* w = qobject_cast<Window*>(modal)) {
          found_ = true;
          window_ = w;
          work(*w);
        }
      }
      if (found_ && (window_ == nullptr || !window_->isVisible())) {
        timer_.stop();
      } else if (deadline_.hasExpired()) {
        timer_.stop();
        expired_ = true;
        if (modal != nullptr) modal->close();
      }
    });
    timer_.start();
  }

 private:
  const char* kind_;
  QDeadlineTimer deadline_;
  QTimer timer_;
  QPointer<QWidget> window_;
  bool found_ = false;
  bool expired_ = false;
};

// Starts watching for a modal window of type Window; `work` gets it once it is open.
template <typename Window>
std::unique_ptr<ModalWatch> WhenModal(std::function<void(Window&)> work,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  auto watch = std::make_unique<ModalWatch>(Window::staticMetaObject.className(), limit);
  watch->template Watch<Window>(std::move(work));
  return watch;
}

}  // namespace ormlax::app::testing
