#include "app/servo_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/lamp_shape.h"

namespace ormlax::app {

ServoDialog::ServoDialog(ServoWindow& model, bool modelII, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle("Servo Control");
  setProperty("helpContext", modelII ? 5010 : 5000);

  inst_[0] = new QLabel("1: Select Servo by clicking", this);
  inst_[1] = new QLabel("2: Enter file to mount on this servo, including path if necessary", this);
  for (int i = 0; i < 2; ++i) inst_[i]->setObjectName(QString("labInst%1").arg(i));
  fileName_ = new QLineEdit(this);
  fileName_->setObjectName("txtFileName");
  fileName_->setMinimumWidth(fileName_->fontMetrics().horizontalAdvance(QString(40, 'x')));
  fileName_->installEventFilter(this);
  connect(fileName_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.txtFileName = text.toStdString();
    model_.txtFileNameSelected = false;  // typed over
  });
  readOnly_ = new QCheckBox("3: Check if write-protected", this);
  readOnly_->setObjectName("chkReadOnly");
  connect(readOnly_, &QCheckBox::clicked, this, [this](bool checked) {
    model_.chkReadOnly = checked;
    Repaint();
  });
  mount_ = new QPushButton("4: Click here to mount this tape", this);
  mount_->setObjectName("cmdMount");
  connect(mount_, &QPushButton::clicked, this, [this] {
    model_.Mount();
    Repaint();
  });
  or_ = new QLabel("Mount additional tapes or", this);
  or_->setObjectName("labOr");
  auto* done = new QPushButton("5: Click here to exit this process", this);
  done->setObjectName("cmdDone");
  connect(done, &QPushButton::clicked, this, [this] {
    model_.Done();
    Repaint();
  });
  for (QPushButton* button : {mount_, done}) button->setAutoDefault(false);

  auto* steps = new QVBoxLayout;
  steps->addWidget(inst_[1]);
  steps->addWidget(fileName_);
  steps->addSpacing(8);
  steps->addWidget(readOnly_);
  steps->addSpacing(8);
  steps->addWidget(mount_, 0, Qt::AlignLeft);
  steps->addStretch();
  auto* finish = new QHBoxLayout;
  finish->addWidget(or_);
  finish->addWidget(done);
  finish->addStretch();
  steps->addLayout(finish);

  auto* layout = new QGridLayout(this);
  layout->addWidget(inst_[0], 0, 0, 1, 2);
  layout->addWidget(MakeServoColumn(ServoCountOf(modelII)), 1, 0);
  layout->addLayout(steps, 1, 1);
  layout->setColumnStretch(1, 1);
  layout->setHorizontalSpacing(16);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Repaint();
}

QWidget* ServoDialog::MakeServoColumn(int count) {
  auto* column = new QWidget(this);
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);
  for (int n = 0; n < count; ++n) {
    ServoControls c;
    c.select = new QRadioButton(QString(QChar(kServoIdentifiers[n])), column);
    c.select->setObjectName(QString("optServo%1").arg(n));
    c.select->setAutoExclusive(false);  // the model decides which one is selected
    c.state = new LampShape(column);
    c.state->setObjectName(QString("shaServo%1").arg(n));
    c.inUse = new LampShape(column);
    c.inUse->setObjectName(QString("shaInUse%1").arg(n));
    connect(c.select, &QRadioButton::clicked, this, [this, n] {
      model_.SelectServo(n);
      Repaint();
    });
    grid->addWidget(c.select, n, 0);
    grid->addWidget(c.state, n, 1);
    grid->addWidget(c.inUse, n, 2);
    servos_.push_back(c);
  }
  return column;
}

void ServoDialog::Repaint() {
  for (int n = 0; n < static_cast<int>(servos_.size()); ++n) {
    servos_[n].select->setChecked(model_.SelectedServo == n);
    servos_[n].state->SetColour(model_.shaServo(n));
    servos_[n].inUse->SetColour(model_.shaInUse(n));
  }
  for (int i = 0; i < 2; ++i) inst_[i]->setEnabled(model_.labInstEnabled[i]);
  const QString name = QString::fromStdString(model_.txtFileName);
  if (fileName_->text() != name) fileName_->setText(name);
  fileName_->setEnabled(model_.txtFileNameEnabled);
  readOnly_->setChecked(model_.chkReadOnly);
  readOnly_->setEnabled(model_.chkReadOnlyEnabled);
  mount_->setEnabled(model_.cmdMountEnabled);
  or_->setEnabled(model_.labOrEnabled);
  if (model_.txtFileNameEnabled && isVisible() && !fileName_->hasFocus()) fileName_->setFocus();
  // A refused name is selected, so that what the operator types next replaces it.
  if (model_.txtFileNameSelected) fileName_->selectAll();
  if (model_.Closed) accept();
}

void ServoDialog::NameFile() {
  model_.txtFileName = fileName_->text().toStdString();
  model_.NameFile();
  Repaint();
}

bool ServoDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fileName_ && fileName_->isEnabled()) {
    if (event->type() == QEvent::MouseButtonRelease) {
      NameFile();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        NameFile();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ServoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Repaint();
}

}  // namespace ormlax::app
