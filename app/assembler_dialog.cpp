#include "app/assembler_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ormlax::app {
namespace {

QCheckBox* Option(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

AssemblerDialog::AssemblerDialog(Installation& ormlax, Operator& op, QWidget* parent)
    : QDialog(parent), ormlax_(ormlax), op_(op) {
  setObjectName("frmAssembler");
  setWindowTitle("Assembler");
  setProperty("helpContext", kHelpContext);

  auto* label = new QLabel("File name", this);
  label->setObjectName("labA");
  name_ = new QLineEdit("<filename>", this);
  name_->setObjectName("txtName");
  name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QString(32, 'x')));
  name_->selectAll();
  label->setBuddy(name_);
  overflow_ = Option(this, "chkRU", "Insert overflow code");
  loader_ = Option(this, "chkLoader", "Insert loader");
  keep_ = Option(this, "chkPreserveInt", "Keep intermediates");
  auto* assemble = new QPushButton("Assemble", this);
  assemble->setObjectName("cmdAssemble");
  assemble->setDefault(true);
  connect(assemble, &QPushButton::clicked, this, &AssemblerDialog::AssembleProgram);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(name_, 0, 1, 1, 2);
  layout->addWidget(overflow_, 1, 1);
  layout->addWidget(loader_, 2, 1);
  layout->addWidget(keep_, 3, 1);
  layout->addWidget(assemble, 3, 2, Qt::AlignRight | Qt::AlignBottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  name_->setFocus();
}

void AssemblerDialog::AssembleProgram() {
  const AssemblyOptions options{overflow_->isChecked(), loader_->isChecked(), keep_->isChecked()};
  // The options cannot change once the run has started.
  for (QCheckBox* box : {overflow_, loader_, keep_}) box->setEnabled(false);
  outcome_ = Assemble(ormlax_, op_, name_->text().toStdString(), options);
  accept();
}

}  // namespace ormlax::app
