// How the console shows its modal windows. The program runs them with exec(); tests put in a
// runner that works the window's controls and closes it.
#pragma once

#include <QDialog>
#include <functional>

namespace ormlax::app {

using DialogRunner = std::function<int(QDialog&)>;

inline DialogRunner ExecDialog() {
  return [](QDialog& dialog) { return dialog.exec(); };
}

}  // namespace ormlax::app
