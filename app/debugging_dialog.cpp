#include "app/debugging_dialog.h"

#include <QBoxLayout>
#include <QPushButton>

#include "app/help.h"
#include "app/memory_window.h"

namespace ormlax::app {

DebuggingDialog::DebuggingDialog(Installation& ormlax, Simulator& sim, QWidget* parent)
    : QDialog(parent), ormlax_(ormlax), sim_(sim) {
  setObjectName("frmDebugging");
  setWindowTitle("Debugging");
  SetHelpContext(this, kHelpContext);

  auto* memory = new QPushButton("Memory window", this);
  memory->setObjectName("cmdMemoryWindow");
  memory->setToolTip("Memory as words and instructions, and the watched locations");
  auto* done = new QPushButton("Close", this);
  done->setObjectName("cmdDone");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(memory);
  buttons->addStretch();
  buttons->addWidget(done);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);

  connect(memory, &QPushButton::clicked, this, &DebuggingDialog::OpenMemoryWindow);
  connect(done, &QPushButton::clicked, this, &QDialog::close);
}

void DebuggingDialog::OpenMemoryWindow() {
  if (!memory_) memory_ = new MemoryWindow(ormlax_, this);
  memory_->Refresh(false);
  memory_->show();
  memory_->raise();
}

void DebuggingDialog::Refresh(bool atStop) {
  if (memory_ && memory_->isVisible()) memory_->Refresh(atStop);
}

}  // namespace ormlax::app
