// Takes the pictures: a window as it is drawn, saved as a small PNG file in the images folder,
// and the checks that make a scene fail loudly instead of photographing the wrong state.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace ormlax::screenshots {

class Camera {
 public:
  explicit Camera(QString folder) : folder_(std::move(folder)) {}

  // Saves `window` as it is drawn now as folder/name.png.
  void Shoot(QWidget& window, const QString& name);
  // Shoots the next modal window that opens (a message box, say) as name.png, then presses
  // its default button; with an empty name it only presses the button. Call it before the
  // action that opens the window.
  void ShootNextModal(const QString& name);

  // Records a failure: the state a scene needed was not there.
  void Expect(bool ok, const QString& what);
  const QStringList& Failures() const { return failures_; }
  const QStringList& Saved() const { return saved_; }

 private:
  QString folder_;
  QStringList failures_;
  QStringList saved_;
};

// The control called `name` of `window`; a missing control is a fatal error, since every scene
// is built from controls the program has.
template <typename T = QWidget>
T* Child(QWidget& window, const QString& name) {
  T* w = window.findChild<T*>(name);
  if (w == nullptr)
    qFatal("no control %s in %s", qPrintable(name), qPrintable(window.objectName()));
  return w;
}

// A click where a user clicks: on a push button's face, on the indicator of a radio button or
// check box.
void Click(QWidget& window, const QString& name);
// Types `text` into the line edit `name` and presses Enter.
void EnterText(QWidget& window, const QString& name, const QString& text);

}  // namespace ormlax::screenshots
