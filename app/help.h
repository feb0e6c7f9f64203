// Context help: every window carries the number of its help page, and F1 in any window opens
// the help window on that page.
#pragma once

class QApplication;
class QWidget;

namespace ormlax::app {

// The dynamic property a window keeps its help context number in. Windows may set it directly.
inline constexpr char kHelpContextProperty[] = "helpContext";
// What a window without a number of its own gets: the contents page.
inline constexpr int kHelpContents = 0;

void SetHelpContext(QWidget* window, int number);

// The number carried by `widget` or by the nearest widget above it, up to and including its
// window; kHelpContents when none of them carries one.
int HelpContextOf(const QWidget* widget);

// Makes F1 open the help window on the page of the window it is pressed in, in every window of
// the application. The help window goes when the application's event loop ends.
void InstallHelpKey(QApplication& app);

}  // namespace ormlax::app
