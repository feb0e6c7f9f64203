#include "app/memory_window.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "app/help.h"
#include "app/machine_font.h"
#include "app/named_widgets.h"
#include "app/word_field.h"
#include "console/panel_fields.h"

namespace ormlax::app {
namespace {

enum Column { kLocation, kWord, kLeft, kLeftName, kRight, kRightName, kColumns };

void SetCell(QTableWidget* table, int row, int column, const std::string& text,
             const std::string& tip = {}) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    table->setItem(row, column, item);
  }
  const QString shown = MachineText(text);
  if (item->text() != shown) item->setText(shown);
  const QString toolTip = QString::fromStdString(tip);
  if (item->toolTip() != toolTip) item->setToolTip(toolTip);
}

}  // namespace

MemoryWindow::MemoryWindow(Installation& ormlax, QWidget* parent)
    : QDialog(parent), ormlax_(ormlax) {
  setObjectName("frmMemory");
  setWindowTitle("Memory");
  SetHelpContext(this, kHelpContext);
  const QFont font = MachineFont();

  auto* from = NamedLabel(this, "labMemFrom", "From location");
  txtMemFrom_ = new QLineEdit(this);
  txtMemFrom_->setObjectName("txtMemFrom");
  txtMemFrom_->setFont(font);
  txtMemFrom_->setMaximumWidth(QFontMetrics(font).horizontalAdvance("00000000"));
  txtMemFrom_->setToolTip("The first location shown; Enter shows memory from there");
  auto* show = NamedButton(this, "cmdMemShow", "Show");
  auto* up = NamedButton(this, "cmdMemPrevious", "Previous");
  auto* down = NamedButton(this, "cmdMemNext", "Next");

  tblMemory_ = new QTableWidget(kRows, kColumns, this);
  tblMemory_->setObjectName("tblMemory");
  tblMemory_->setFont(font);
  tblMemory_->setHorizontalHeaderLabels(
      {"Location", "Word", "Left", "Operation", "Right", "Operation"});
  tblMemory_->verticalHeader()->hide();
  tblMemory_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
  tblMemory_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblMemory_->setSelectionMode(QAbstractItemView::SingleSelection);
  tblMemory_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblMemory_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tblMemory_->horizontalHeader()->setStretchLastSection(true);
  tblMemory_->setMinimumSize(640, 360);

  labMemEdit_ = NamedLabel(this, "labMemEdit", "Select a location");
  txtMemEdit_ = new WordField(font, static_cast<int>(Word::kLength), this);
  txtMemEdit_->setObjectName("txtMemEdit");
  txtMemEdit_->setToolTip("The word to store: typed as in the console's Contents field");
  cmdMemStore_ = NamedButton(this, "cmdMemStore", "Store");

  auto* watches = new QGroupBox("Watched locations", this);
  watches->setObjectName("fraWatch");
  txtWatch_ = new QLineEdit(watches);
  txtWatch_->setObjectName("txtWatch");
  txtWatch_->setFont(font);
  txtWatch_->setToolTip("A location to follow; Enter adds it");
  auto* watch = NamedButton(watches, "cmdWatchAdd", "Watch");
  lstWatch_ = new QListWidget(watches);
  lstWatch_->setObjectName("lstWatch");
  lstWatch_->setFont(font);
  lstWatch_->setToolTip("A word marked * was changed by the last run or step");
  cmdWatchRemove_ = NamedButton(watches, "cmdWatchRemove", "Remove");
  auto* watchLayout = new QGridLayout(watches);
  watchLayout->addWidget(txtWatch_, 0, 0);
  watchLayout->addWidget(watch, 0, 1);
  watchLayout->addWidget(lstWatch_, 1, 0, 1, 2);
  watchLayout->addWidget(cmdWatchRemove_, 2, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(from);
  top->addWidget(txtMemFrom_);
  top->addWidget(show);
  top->addStretch();
  top->addWidget(up);
  top->addWidget(down);
  auto* edit = new QHBoxLayout;
  edit->addWidget(labMemEdit_);
  edit->addWidget(txtMemEdit_);
  edit->addWidget(cmdMemStore_);
  edit->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(top);
  left->addWidget(tblMemory_, 1);
  left->addLayout(edit);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(watches);

  connect(show, &QPushButton::clicked, this, &MemoryWindow::ShowFrom);
  connect(txtMemFrom_, &QLineEdit::returnPressed, this, &MemoryWindow::ShowFrom);
  connect(up, &QPushButton::clicked, this, [this] {
    first_ = std::max(0, first_ - kRows);
    Refresh();
  });
  connect(down, &QPushButton::clicked, this, [this] {
    const int last = std::max(0, ormlax_.Machine.MemorySize - kRows);
    first_ = std::min(last, first_ + kRows);
    Refresh();
  });
  connect(tblMemory_, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { SelectRow(row); });
  connect(txtMemEdit_, &WordField::Edited, this,
          [this](const std::string& shown, const std::string& edited, int caret) {
            txtMemEdit_->Show(EditedWordField(shown, edited, static_cast<std::size_t>(caret)));
          });
  connect(txtMemEdit_, &QLineEdit::returnPressed, this, &MemoryWindow::StoreEdited);
  connect(cmdMemStore_, &QPushButton::clicked, this, &MemoryWindow::StoreEdited);
  connect(watch, &QPushButton::clicked, this, &MemoryWindow::AddWatch);
  connect(txtWatch_, &QLineEdit::returnPressed, this, &MemoryWindow::AddWatch);
  connect(cmdWatchRemove_, &QPushButton::clicked, this, &MemoryWindow::RemoveWatch);

  txtMemFrom_->setText(QString::fromStdString(FormatAddress(ormlax_.Machine, 0)));
  Refresh();
}

void MemoryWindow::ShowFrom() {
  const MachineState& s = ormlax_.Machine;
  const std::optional<int> n = FieldNumber(txtMemFrom_->text().toStdString(), s.MemorySize);
  if (n) first_ = std::min(*n, std::max(0, s.MemorySize - kRows));
  txtMemFrom_->setText(QString::fromStdString(FormatAddress(s, first_)));
  Refresh();
}

void MemoryWindow::SelectRow(int row) {
  const int location = first_ + row;
  if (row < 0 || location >= ormlax_.Machine.MemorySize) return;
  selected_ = location;
  labMemEdit_->setText("Location " +
                       QString::fromStdString(FormatAddress(ormlax_.Machine, location)));
  txtMemEdit_->Show(ormlax_.Machine.Memory[static_cast<std::size_t>(location)].Text());
  ShowEditable();
}

void MemoryWindow::ShowEditable() {
  const MachineState& s = ormlax_.Machine;
  const bool editable = MemoryEditable(s) && selected_ >= 0 && selected_ < s.MemorySize;
  txtMemEdit_->setEnabled(editable);
  cmdMemStore_->setEnabled(editable);
}

void MemoryWindow::StoreEdited() {
  if (selected_ < 0 || !StoreTypedWord(ormlax_.Machine, selected_, txtMemEdit_->Bytes())) return;
  Refresh();
}

void MemoryWindow::AddWatch() {
  const MachineState& s = ormlax_.Machine;
  const std::optional<int> n = FieldNumber(txtWatch_->text().toStdString(), kMaxMemorySize);
  if (n && watch_.Add(s, *n)) txtWatch_->clear();
  Refresh();
}

void MemoryWindow::RemoveWatch() {
  const int row = lstWatch_->currentRow();
  if (row < 0 || row >= static_cast<int>(watch_.Entries().size())) return;
  watch_.Remove(watch_.Entries()[static_cast<std::size_t>(row)].Location);
  Refresh();
}

void MemoryWindow::Refresh(bool atStop) {
  const MachineState& s = ormlax_.Machine;
  if (first_ >= s.MemorySize) first_ = std::max(0, s.MemorySize - kRows);
  const std::vector<MemoryRow> rows = DescribeMemory(s, first_, kRows);
  tblMemory_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const MemoryRow& m = rows[static_cast<std::size_t>(r)];
    SetCell(tblMemory_, r, kLocation, m.Address);
    SetCell(tblMemory_, r, kWord, m.Word);
    SetCell(tblMemory_, r, kLeft, m.Left.Text, m.Left.Description);
    SetCell(tblMemory_, r, kLeftName, m.Left.Name, m.Left.Description);
    SetCell(tblMemory_, r, kRight, m.Right.Text, m.Right.Description);
    SetCell(tblMemory_, r, kRightName, m.Right.Name, m.Right.Description);
  }

  // At a stop the word being edited is the one the machine left there, not the one it was when
  // chosen: storing it must not put back what a run (or a restored session) replaced.
  if (atStop && selected_ >= 0 && selected_ < s.MemorySize) {
    txtMemEdit_->Show(s.Memory[static_cast<std::size_t>(selected_)].Text());
  }
  ShowEditable();

  watch_.Look(s, atStop);
  const auto& entries = watch_.Entries();
  while (lstWatch_->count() > static_cast<int>(entries.size())) delete lstWatch_->takeItem(0);
  while (lstWatch_->count() < static_cast<int>(entries.size())) lstWatch_->addItem(QString());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MemoryWatch::Entry& e = entries[i];
    const std::string line =
        FormatAddress(s, e.Location) + "  " + e.Seen.Text() + (e.Changed ? " *" : "");
    QListWidgetItem* item = lstWatch_->item(static_cast<int>(i));
    if (item->text() != MachineText(line)) item->setText(MachineText(line));
  }
  cmdWatchRemove_->setEnabled(!entries.empty());
}

}  // namespace ormlax::app
