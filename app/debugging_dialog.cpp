#include "app/debugging_dialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "app/help.h"
#include "app/machine_font.h"
#include "app/memory_window.h"
#include "app/named_widgets.h"
#include "app/window_placement.h"
#include "console/panel_fields.h"
#include "core/operator.h"
#include "installation/session_file.h"

namespace ormlax::app {
namespace {

enum BreakpointColumn { kOn, kNumber, kKind, kLocation, kCount, kHits, kBreakpointColumns };

QLineEdit* Box(QWidget* parent, const char* name, const QString& text, const QString& tip) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setToolTip(tip);
  return box;
}

// A whole number written plainly, from `low` to `high`.
std::optional<int> WholeNumber(const QString& text, int low, int high) {
  const std::string t = text.trimmed().toStdString();
  if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int n = std::stoi(t);
  if (n < low || n > high) return std::nullopt;
  return n;
}

}  // namespace

DebuggingDialog::DebuggingDialog(Installation& ormlax, Simulator& sim, QWidget* parent)
    : QDialog(parent), ormlax_(ormlax), sim_(sim) {
  setObjectName("frmDebugging");
  setWindowTitle("Debugging");
  SetHelpContext(this, kHelpContext);

  auto* memory = NamedButton(this, "cmdMemoryWindow", "Memory window",
                             "Memory as words and instructions, and the watched locations");
  auto* done = NamedButton(this, "cmdDone", "Close");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(memory);
  buttons->addStretch();
  buttons->addWidget(done);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildBreakpoints(), 1);
  layout->addWidget(BuildTrace());
  layout->addWidget(BuildSession());
  layout->addLayout(buttons);

  connect(memory, &QPushButton::clicked, this, &DebuggingDialog::OpenMemoryWindow);
  connect(done, &QPushButton::clicked, this, &QDialog::close);
  Refresh(false);
}

QWidget* DebuggingDialog::BuildBreakpoints() {
  auto* box = new QGroupBox("Breakpoints", this);
  box->setObjectName("fraBreakpoints");
  lstBreakpoints_ = new QTreeWidget(box);
  lstBreakpoints_->setObjectName("lstBreakpoints");
  lstBreakpoints_->setColumnCount(kBreakpointColumns);
  lstBreakpoints_->setHeaderLabels({"On", "No.", "Kind", "Location", "Count", "Hits"});
  lstBreakpoints_->setRootIsDecorated(false);
  lstBreakpoints_->setFont(MachineFont());
  lstBreakpoints_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lstBreakpoints_->setToolTip(
      "An execute breakpoint stops a run before the word at its location runs; a store "
      "breakpoint stops it after the word that wrote its location. The count-th hit stops.");
  lstBreakpoints_->setMinimumHeight(120);

  optBreakExecute_ = new QRadioButton("Execute", box);
  optBreakExecute_->setObjectName("optBreakExecute");
  optBreakExecute_->setToolTip("Stop before the word at the location runs");
  optBreakExecute_->setChecked(true);
  optBreakStore_ = new QRadioButton("Store", box);
  optBreakStore_->setObjectName("optBreakStore");
  optBreakStore_->setToolTip("Stop after the word in which an instruction wrote the location");
  txtBreakLocation_ = Box(box, "txtBreakLocation", "", "The location of the breakpoint");
  txtBreakCount_ = Box(box, "txtBreakCount", "1", "Stop on every count-th hit");
  const QFontMetrics metrics(MachineFont());
  txtBreakLocation_->setFont(MachineFont());
  txtBreakCount_->setFont(MachineFont());
  txtBreakLocation_->setMaximumWidth(metrics.horizontalAdvance("000000"));
  txtBreakCount_->setMaximumWidth(metrics.horizontalAdvance("0000000000"));

  auto* add =
      NamedButton(box, "cmdBreakAdd", "Add", "Set a breakpoint of the kind, at the location");
  cmdBreakChange_ = NamedButton(box, "cmdBreakChange", "Change",
                                "Give the selected breakpoint the kind, location and count");
  cmdBreakRemove_ = NamedButton(box, "cmdBreakRemove", "Remove", "Remove the selected breakpoint");
  cmdBreakClear_ = NamedButton(box, "cmdBreakClear", "Clear all", "Remove every breakpoint");

  auto* controls = new QHBoxLayout;
  controls->addWidget(optBreakExecute_);
  controls->addWidget(optBreakStore_);
  controls->addSpacing(12);
  controls->addWidget(NamedLabel(box, "labBreakLocation", "Location"));
  controls->addWidget(txtBreakLocation_);
  controls->addWidget(NamedLabel(box, "labBreakCount", "Count"));
  controls->addWidget(txtBreakCount_);
  controls->addStretch();
  auto* actions = new QHBoxLayout;
  for (QPushButton* b : {add, cmdBreakChange_, cmdBreakRemove_, cmdBreakClear_}) {
    actions->addWidget(b);
  }
  actions->addStretch();
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(lstBreakpoints_, 1);
  layout->addLayout(controls);
  layout->addLayout(actions);

  connect(add, &QPushButton::clicked, this, &DebuggingDialog::AddBreakpoint);
  connect(txtBreakLocation_, &QLineEdit::returnPressed, this, &DebuggingDialog::AddBreakpoint);
  connect(cmdBreakChange_, &QPushButton::clicked, this, &DebuggingDialog::ChangeBreakpoint);
  connect(cmdBreakRemove_, &QPushButton::clicked, this, &DebuggingDialog::RemoveBreakpoint);
  connect(cmdBreakClear_, &QPushButton::clicked, this, &DebuggingDialog::ClearBreakpoints);
  connect(lstBreakpoints_, &QTreeWidget::itemSelectionChanged, this,
          &DebuggingDialog::SelectBreakpoint);
  connect(lstBreakpoints_, &QTreeWidget::itemChanged, this, &DebuggingDialog::BreakpointSwitched);
  return box;
}

QWidget* DebuggingDialog::BuildTrace() {
  auto* box = new QGroupBox("Trace", this);
  box->setObjectName("fraTrace");
  txtTraceFile_ = Box(box, "txtTraceFile", "trace.txt",
                      "The file of the working folder the trace is written into");
  chkTrace_ = new QCheckBox("Trace every word", box);
  chkTrace_->setObjectName("chkTrace");
  chkTrace_->setToolTip(
      "After each word, write its location, the word, rA, rX, rL and rF into the file");
  labTrace_ = NamedLabel(box, "labTrace", "");
  auto* layout = new QGridLayout(box);
  layout->addWidget(NamedLabel(box, "labTraceFile", "File"), 0, 0);
  layout->addWidget(txtTraceFile_, 0, 1);
  layout->addWidget(chkTrace_, 0, 2);
  layout->addWidget(labTrace_, 1, 0, 1, 3);
  connect(chkTrace_, &QCheckBox::clicked, this, &DebuggingDialog::SwitchTrace);
  return box;
}

QWidget* DebuggingDialog::BuildSession() {
  auto* box = new QGroupBox("Session", this);
  box->setObjectName("fraSession");
  txtSessionFile_ = Box(box, "txtSessionFile", "session.txt",
                        "The file of the working folder the whole installation is kept in");
  cmdSaveSession_ = NamedButton(box, "cmdSaveSession", "Save",
                                "Save memory, registers, switches, tapes and paper into the file");
  cmdRestoreSession_ =
      NamedButton(box, "cmdRestoreSession", "Restore", "Make the installation what the file holds");
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(NamedLabel(box, "labSessionFile", "File"));
  layout->addWidget(txtSessionFile_, 1);
  layout->addWidget(cmdSaveSession_);
  layout->addWidget(cmdRestoreSession_);
  connect(cmdSaveSession_, &QPushButton::clicked, this, &DebuggingDialog::SaveSessionFile);
  connect(cmdRestoreSession_, &QPushButton::clicked, this, &DebuggingDialog::RestoreSessionFile);
  return box;
}

void DebuggingDialog::Tell(const std::string& text) {
  ShowOkMessage(sim_.Op(), text);
}

bool DebuggingDialog::ReadBreakpointControls(BreakpointKind& kind, int& location, int& count) {
  const MachineState& s = sim_.Machine();
  const std::optional<int> at = WholeNumber(txtBreakLocation_->text(), 0, s.MemorySize - 1);
  if (!at) {
    Tell("A breakpoint's location is a number from " + FormatAddress(s, 0) + " to " +
         FormatAddress(s, s.MemorySize - 1));
    txtBreakLocation_->setFocus();
    txtBreakLocation_->selectAll();
    return false;
  }
  const std::optional<int> n = WholeNumber(txtBreakCount_->text(), 1, 999999999);
  if (!n) {
    Tell("A breakpoint's count is a whole number from 1 up");
    txtBreakCount_->setFocus();
    txtBreakCount_->selectAll();
    return false;
  }
  kind = optBreakStore_->isChecked() ? BreakpointKind::Store : BreakpointKind::Execute;
  location = *at;
  count = *n;
  return true;
}

void DebuggingDialog::AddBreakpoint() {
  BreakpointKind kind;
  int location = 0;
  int count = 1;
  if (!ReadBreakpointControls(kind, location, count)) return;
  sim_.Breaks().Add(kind, location, count);
  ShowBreakpoints();
}

void DebuggingDialog::ChangeBreakpoint() {
  const int number = SelectedBreakpoint();
  BreakpointKind kind;
  int location = 0;
  int count = 1;
  if (number == 0 || !ReadBreakpointControls(kind, location, count)) return;
  sim_.Breaks().Change(number, kind, location, count);
  ShowBreakpoints();
}

void DebuggingDialog::RemoveBreakpoint() {
  const int number = SelectedBreakpoint();
  if (number == 0) return;
  sim_.Breaks().Remove(number);
  ShowBreakpoints();
}

void DebuggingDialog::ClearBreakpoints() {
  sim_.Breaks().Clear();
  ShowBreakpoints();
}

int DebuggingDialog::SelectedBreakpoint() const {
  const QList<QTreeWidgetItem*> selected = lstBreakpoints_->selectedItems();
  return selected.isEmpty() ? 0 : selected.front()->data(kNumber, Qt::UserRole).toInt();
}

// Choosing a breakpoint in the list puts what it is into the controls, ready to be changed.
void DebuggingDialog::SelectBreakpoint() {
  if (showing_) return;
  const Breakpoint* b = sim_.Breaks().Find(SelectedBreakpoint());
  ShowSelectionButtons();
  if (!b) return;
  (b->Kind == BreakpointKind::Store ? optBreakStore_ : optBreakExecute_)->setChecked(true);
  txtBreakLocation_->setText(QString::fromStdString(FormatAddress(sim_.Machine(), b->Location)));
  txtBreakCount_->setText(QString::number(b->Count));
}

void DebuggingDialog::BreakpointSwitched(QTreeWidgetItem* item, int column) {
  if (showing_ || column != kOn) return;
  sim_.Breaks().SetEnabled(item->data(kNumber, Qt::UserRole).toInt(),
                           item->checkState(kOn) == Qt::Checked);
  ShowBreakpoints();
}

void DebuggingDialog::ShowBreakpoints() {
  const int selected = SelectedBreakpoint();
  showing_ = true;
  const std::vector<Breakpoint>& list = sim_.Breaks().List();
  while (lstBreakpoints_->topLevelItemCount() > static_cast<int>(list.size())) {
    delete lstBreakpoints_->takeTopLevelItem(lstBreakpoints_->topLevelItemCount() - 1);
  }
  while (lstBreakpoints_->topLevelItemCount() < static_cast<int>(list.size())) {
    auto* item = new QTreeWidgetItem(lstBreakpoints_);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  }
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    const Breakpoint& b = list[static_cast<std::size_t>(i)];
    QTreeWidgetItem* item = lstBreakpoints_->topLevelItem(i);
    const QStringList texts = {"",
                               QString::number(b.Number),
                               BreakpointKindText(b.Kind),
                               QString::fromStdString(FormatAddress(sim_.Machine(), b.Location)),
                               QString::number(b.Count),
                               QString::number(b.Hits)};
    for (int column = 0; column < kBreakpointColumns; ++column) {
      if (item->text(column) != texts[column]) item->setText(column, texts[column]);
    }
    const Qt::CheckState on = b.Enabled ? Qt::Checked : Qt::Unchecked;
    if (item->checkState(kOn) != on) item->setCheckState(kOn, on);
    item->setData(kNumber, Qt::UserRole, b.Number);
    item->setSelected(b.Number == selected);
  }
  showing_ = false;
  cmdBreakClear_->setEnabled(!list.empty());
  ShowSelectionButtons();
}

void DebuggingDialog::ShowSelectionButtons() {
  const bool selected = sim_.Breaks().Find(SelectedBreakpoint()) != nullptr;
  cmdBreakChange_->setEnabled(selected);
  cmdBreakRemove_->setEnabled(selected);
}

void DebuggingDialog::SwitchTrace(bool on) {
  if (on) {
    std::string failure;
    if (!sim_.StartTrace(txtTraceFile_->text().toStdString(), failure)) {
      chkTrace_->setChecked(false);
      Tell(failure);
    }
  } else if (!sim_.StopTrace()) {
    const TraceFile* trace = sim_.Trace();
    Tell(trace && !trace->Failure().empty() ? trace->Failure()
                                            : "The trace could not all be written");
  }
  ShowTrace();
}

void DebuggingDialog::ShowTrace() {
  const TraceFile* trace = sim_.Trace();
  const bool tracing = chkTrace_->isChecked();
  QString text = "No trace";
  if (trace && !trace->Failure().empty()) {
    text = QString::fromStdString(trace->Failure());
  } else if (trace && trace->BoundReached()) {
    text = QString("The trace ended at its bound of %1 words").arg(trace->Bound());
  } else if (trace && tracing) {
    text = QString("Tracing: %1 words written").arg(trace->Words());
  } else if (trace) {
    text = QString("Trace closed: %1 words").arg(trace->Words());
  }
  if (labTrace_->text() != text) labTrace_->setText(text);
  txtTraceFile_->setEnabled(!tracing);
}

void DebuggingDialog::SaveSessionFile() {
  std::string error;
  const std::string name = txtSessionFile_->text().trimmed().toStdString();
  if (name.empty()) {
    Tell("Name the file the session is to be saved in");
    return;
  }
  if (!SaveSession(ormlax_, name, error)) {
    Tell(error);
    return;
  }
  Tell("The session is saved in " + name);
}

void DebuggingDialog::RestoreSessionFile() {
  std::string error;
  const std::string name = txtSessionFile_->text().trimmed().toStdString();
  if (name.empty()) {
    Tell("Name the file the session is to be restored from");
    return;
  }
  if (!RestoreSession(ormlax_, name, error)) {
    Tell(error);
    return;
  }
  emit Restored();
  Refresh(true);
}

void DebuggingDialog::OpenMemoryWindow() {
  if (!memory_) {
    memory_ = new MemoryWindow(ormlax_, this);
    // Beside the desk, which opens in the other bottom corner.
    PlaceInScreenCorner(memory_, this, Qt::BottomLeftCorner);
  }
  memory_->Refresh(false);
  memory_->show();
  memory_->raise();
}

void DebuggingDialog::Refresh(bool atStop) {
  const MachineState& s = sim_.Machine();
  ShowBreakpoints();
  ShowTrace();
  const bool atRest = !s.Running;
  cmdSaveSession_->setEnabled(atRest);
  cmdRestoreSession_->setEnabled(atRest);
  if (memory_ && memory_->isVisible()) memory_->Refresh(atStop);
}

}  // namespace ormlax::app
