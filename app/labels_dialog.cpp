#include "app/labels_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/machine_font.h"
#include "tape/label_listing.h"

namespace ormlax::app {

LabelsDialog::LabelsDialog(const ServoUnits& servos, bool modelII, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Labels on mounted tapes");
  setProperty("helpContext", kHelpContext);

  auto* list = new QListWidget(this);
  list->setObjectName("lstLabel");
  list->setFont(MachineFont());
  int widest = 0;
  for (const std::string& line : MountedTapeLabels(servos, modelII)) {
    const QString text = QString::fromStdString(line);
    list->addItem(text);
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
  }
  const int rows = list->count();
  list->setMinimumWidth(std::clamp(widest + 32, 320, 900));
  list->setMinimumHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth() + 4);
  connect(list, &QListWidget::itemClicked, this, &QDialog::accept);

  auto* done = new QPushButton("Done", this);
  done->setObjectName("cmdDone");
  done->setDefault(true);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(done);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace ormlax::app
