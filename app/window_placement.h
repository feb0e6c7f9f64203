// Where a new window opens: wholly on the screen, frame and title bar included.
#pragma once

#include <Qt>

class QWidget;

namespace ormlax::app {

// Puts a new window over `near` (or in the middle of the screen), shrunk where it would not fit.
void PlaceInsideScreen(QWidget* window, const QWidget* near);

// Puts a new window, at the size its layout asks for, in a corner of the screen `near` is on, so
// that it leaves as much as it can of the window it works beside in view.
void PlaceInScreenCorner(QWidget* window, const QWidget* near, Qt::Corner corner);

}  // namespace ormlax::app
