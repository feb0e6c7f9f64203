// The help viewer: one window showing one page of the built-in user's guide at a time, with
// links between the pages, a way back, and the contents page.
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace ormlax::app {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the page of a window's help context number; a number without a page of its own
  // shows the contents.
  void ShowPage(int context);
  // Shows the page a link names (help:name); an unknown name shows the contents.
  void ShowPage(const QString& name);

  QTextBrowser* Browser() const { return browser_; }
  // The name of the page shown.
  QString PageName() const;

 private:
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
};

// The application's help window, or nullptr while there is none.
HelpWindow* FindHelpWindow();
// Opens the help window on the page of `context` and brings it to the front; the window is
// made once and used again for every later page.
HelpWindow* ShowHelpPage(int context);
// Closes and deletes the help window, if there is one.
void DiscardHelpWindow();

}  // namespace ormlax::app
