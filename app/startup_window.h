// The start-up window: the program's title and version, a picture of the installation, and the
// choice of the machine to simulate.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

namespace ormlax::app {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 70;
inline constexpr int kStartupHelpContext = 1000;

enum class ModelChoice { OrmlaxI, OrmlaxII, Quit };

// "ORMLAX Simulator, V" and the version numbers.
QString StartupCaption();

// A picture of the installation, drawn at any size: the console with its lamps and typewriter,
// and two tape units with their reels.
class InstallationPicture : public QWidget {
  Q_OBJECT

 public:
  explicit InstallationPicture(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {320, 220}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class StartupWindow : public QDialog {
  Q_OBJECT

 public:
  explicit StartupWindow(QWidget* parent = nullptr);

  // The model chosen; ORMLAX I when the window was closed by its own close control.
  ModelChoice Choice() const { return choice_; }

 private:
  void Choose(ModelChoice choice);

  ModelChoice choice_ = ModelChoice::OrmlaxI;
};

}  // namespace ormlax::app
