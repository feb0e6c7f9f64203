#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ormlax::app {
namespace {

// Room a window manager's frame and title bar take around a window, at most.
constexpr int kFrameSides = 8;
constexpr int kTitleBar = 40;

// Shrinks the window to fit the screen `near` is on; the screen's free room and the window's
// outer rectangle (at the origin), or nothing when there is no screen.
bool FitToScreen(QWidget* window, const QWidget* near, QRect& available, QRect& outer) {
  const QScreen* screen = near != nullptr ? near->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return false;
  available = screen->availableGeometry();
  const QSize frame(2 * kFrameSides, kTitleBar + kFrameSides);
  window->resize(window->size().boundedTo(available.size() - frame));
  outer = QRect(QPoint(), window->size() + frame);
  return true;
}

}  // namespace

void PlaceInsideScreen(QWidget* window, const QWidget* near) {
  QRect available, outer;
  if (!FitToScreen(window, near, available, outer)) return;
  outer.moveCenter(near != nullptr ? near->frameGeometry().center() : available.center());
  outer.moveLeft(qBound(available.left(), outer.left(), available.right() + 1 - outer.width()));
  outer.moveTop(qBound(available.top(), outer.top(), available.bottom() + 1 - outer.height()));
  window->move(outer.topLeft());
}

void PlaceInScreenCorner(QWidget* window, const QWidget* near, Qt::Corner corner) {
  window->adjustSize();
  QRect available, outer;
  if (!FitToScreen(window, near, available, outer)) return;
  const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
  const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
  outer.moveLeft(right ? available.right() + 1 - outer.width() : available.left());
  outer.moveTop(bottom ? available.bottom() + 1 - outer.height() : available.top());
  window->move(outer.topLeft());
}

}  // namespace ormlax::app
