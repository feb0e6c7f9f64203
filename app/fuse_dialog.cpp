#include "app/fuse_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "console/fuse_window.h"

namespace ormlax::app {

FuseDialog::FuseDialog(int reason, QWidget* parent) : QDialog(parent) {
  setObjectName("frmBlowFuse");
  FuseWindowText text;
  known_ = FuseWindowTexts(reason, text);
  setWindowTitle(QString::fromStdString(text.caption));
  setProperty("helpContext", text.helpContext);

  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(size, size));
  auto* why = new QLabel(QString::fromStdString(text.reason), this);
  why->setObjectName("labWhy");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* message = new QHBoxLayout;
  message->addWidget(icon, 0, Qt::AlignTop);
  message->addWidget(why, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(message);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int FuseDialog::exec() {
  if (!known_) {
    setResult(QDialog::Rejected);
    return QDialog::Rejected;
  }
  return QDialog::exec();
}

void FuseDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!known_) QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

}  // namespace ormlax::app
