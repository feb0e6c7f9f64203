#include "app/help.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

#include "app/help_window.h"

namespace ormlax::app {
namespace {

constexpr char kFilterName[] = "ormlaxHelpKey";

// Watches every key press of the application for F1. A key press reaches the window system's
// window object first and then the focus widget; only the widget is looked at.
class HelpKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
      return false;
    }
    const QWidget* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    event->accept();
    if (!key->isAutoRepeat()) ShowHelpPage(HelpContextOf(widget));
    return true;
  }
};

}  // namespace

void SetHelpContext(QWidget* window, int number) {
  window->setProperty(kHelpContextProperty, number);
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
    const QVariant value = w->property(kHelpContextProperty);
    bool ok = false;
    const int number = value.toInt(&ok);
    if (value.isValid() && ok) return number;
  }
  return kHelpContents;
}

void InstallHelpKey(QApplication& app) {
  if (app.findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly) != nullptr) return;
  auto* filter = new HelpKeyFilter(&app);
  filter->setObjectName(kFilterName);
  app.installEventFilter(filter);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, filter, &DiscardHelpWindow);
}

}  // namespace ormlax::app
