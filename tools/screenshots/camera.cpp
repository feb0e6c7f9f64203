#include "tools/screenshots/camera.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace ormlax::screenshots {

void Camera::Shoot(QWidget& window, const QString& name) {
  if (!window.isVisible()) window.show();
  QApplication::processEvents();
  // 256 colours are plenty for a window and keep the files a few tens of kilobytes.
  const QImage image = window.grab().toImage().convertToFormat(
      QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  const QString path = QDir(folder_).filePath(name + ".png");
  if (!image.save(path, "PNG", 0)) {
    failures_ << "could not write " + path;
    return;
  }
  saved_ << path;
}

void Camera::ShootNextModal(const QString& name) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [this, timer, tries, name] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      if (++*tries > 500) {  // five seconds
        failures_ << "no window opened for " + name;
        timer->deleteLater();
      }
      return;
    }
    timer->stop();
    timer->deleteLater();
    if (!name.isEmpty()) Shoot(*modal, name);
    if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && box->defaultButton()) {
      box->defaultButton()->click();
    } else {
      modal->close();
    }
  });
  timer->start();
}

void Camera::Expect(bool ok, const QString& what) {
  if (!ok) failures_ << what;
}

void Click(QWidget& window, const QString& name) {
  auto* b = Child<QAbstractButton>(window, name);
  const bool indicator = qobject_cast<QPushButton*>(b) == nullptr;
  QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(6, b->height() / 2) : QPoint());
}

void EnterText(QWidget& window, const QString& name, const QString& text) {
  auto* field = Child<QLineEdit>(window, name);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

}  // namespace ormlax::screenshots
