#include "app/offline_dialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/lamp_shape.h"
#include "app/named_widgets.h"
#include "app/ormtyper_dialog.h"
#include "app/plugboard_dialog.h"
#include "installation/offline_desk.h"
#include "offline/plugboard_editor.h"
#include "tape/ormtyper.h"

namespace ormlax::app {
namespace {

struct OperationButton {
  const char* caption;
  const char* tip;
};

// cmdOutput0-7.
const OperationButton kOperations[kOffLineButtons] = {
    {"Ormtyper", "Manually write data to a tape"},
    {"ORMLAX to asm", "Convert a ORMLAX tape to an assembler input tape"},
    {"ORMLAX to text", "Convert a text tape to ORMLAX format"},
    {"Text to ORMLAX", "Convert a text tape to ORMLAX format"},
    {"HSP (Normal)", "Convert a text tape to ORMLAX format"},
    {"HSP (Comp. Dig.)", "Convert a text tape to ORMLAX format"},
    {"HSP (DTMB)", "Convert a text tape to ORMLAX format"},
    {"List plugboards", "Convert a text tape to ORMLAX format"},
};

const char* const kOptionCaptions[3] = {"1-to-1 split", "Straight", "User"};

void SetChecked(QRadioButton* button, bool on) {
  if (button->isChecked() == on) return;
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(on);
  button->setAutoExclusive(exclusive);
}

}  // namespace

// The desk's operator: the console's, except that the window shows the desk's state whenever a
// run lets the interface in (a printer run waiting at a breakpoint), before the operator acts.
class OffLineDialog::DeskOperator : public Operator {
 public:
  DeskOperator(Operator& op, OffLineDialog& dialog) : op_(op), dialog_(dialog) {}

  MessageAnswer ShowMessage(const MessageRequest& request) override {
    return op_.ShowMessage(request);
  }
  void YieldToInterface() override {
    dialog_.Repaint();
    op_.YieldToInterface();
  }
  void WaitForInterface() override {
    dialog_.Repaint();
    op_.WaitForInterface();
  }
  void ShowFuseWindow(int reason) override { op_.ShowFuseWindow(reason); }
  KeyboardEntry OpenKeyboardWindow(bool singleStepEnabled) override {
    return op_.OpenKeyboardWindow(singleStepEnabled);
  }
  void SetClipboardText(const std::string& text) override { op_.SetClipboardText(text); }
  std::optional<std::string> AskText(const std::string& prompt,
                                     const std::string& defaultText) override {
    return op_.AskText(prompt, defaultText);
  }

 private:
  Operator& op_;
  OffLineDialog& dialog_;
};

OffLineDialog::OffLineDialog(Installation& ormlax, Operator& op, HostPrinter* printer,
                             DialogRunner runner, QWidget* parent)
    : QDialog(parent), runner_(std::move(runner)) {
  setObjectName("frmOffLine");
  setWindowTitle(QString::fromUtf8(window_text::kCaption));
  setProperty("helpContext", kHelpContext);
  op_ = std::make_unique<DeskOperator>(op, *this);
  desk_ = std::make_unique<OffLineDesk>(OpenOffLineDesk(ormlax, *op_, printer));
  model_ = std::make_unique<OffLineWindow>(*desk_);

  auto* separator = new QFrame(this);
  separator->setObjectName("linSeparator");
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  cmdDone_ = new QPushButton("Exit", this);
  cmdDone_->setObjectName("cmdDone");
  cmdDone_->setAutoDefault(false);
  connect(cmdDone_, &QPushButton::clicked, this, &OffLineDialog::Exit);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BuildPrinterSwitch());
  bottom->addStretch();
  bottom->addWidget(cmdDone_, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildBoxes());
  layout->addWidget(BuildPlugboard());
  layout->addWidget(BuildButtons());
  layout->addWidget(separator);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  model_->Open();
  Repaint();
  txtSource_->setFocus();
}

OffLineDialog::~OffLineDialog() {
  // The boxes lose the focus as the window goes: nothing is to be accepted then.
  for (QLineEdit* box : {txtSource_, txtTarget_}) box->removeEventFilter(this);
}

QWidget* OffLineDialog::BuildBoxes() {
  auto* boxes = new QWidget(this);
  auto* grid = new QGridLayout(boxes);
  grid->setContentsMargins(0, 0, 0, 0);
  const auto box = [&](int row, const char* labelName, const char* caption, const char* name,
                       const char* tailName) {
    auto* edit = new QLineEdit(boxes);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(36, 'x')));
    edit->installEventFilter(this);
    grid->addWidget(NamedLabel(boxes, labelName, caption), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(NamedLabel(boxes, tailName, "as needed"), row, 2);
    return edit;
  };
  txtSource_ = box(0, "labFrom", "Specify the source tape", "txtSource", "Label1");
  txtTarget_ = box(1, "labTo", "Specify the target tape", "txtTarget", "Label2");
  connect(txtSource_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_->txtSource = text.toStdString(); });
  connect(txtTarget_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_->txtTarget = text.toStdString(); });
  return boxes;
}

QWidget* OffLineDialog::BuildPlugboard() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* frame = new QGroupBox("Plugboard", row);
  frame->setObjectName("fraPlugboard");
  auto* options = new QVBoxLayout(frame);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(kOptionCaptions[i], frame);
    option->setObjectName(QString("optPlugboard%1").arg(i));
    connect(option, &QRadioButton::clicked, this, [this, i] { ChooseOption(i); });
    options->addWidget(option);
    optPlugboard_[static_cast<std::size_t>(i)] = option;
  }
  labWhichPB_ = NamedLabel(frame, "labWhichPB", "");
  labWhichPB_->setMinimumWidth(labWhichPB_->fontMetrics().horizontalAdvance(QString(34, 'x')));
  options->addWidget(labWhichPB_);
  lstPlugboard_ = new QListWidget(row);
  lstPlugboard_->setObjectName("lstPlugboard");
  lstPlugboard_->setMinimumWidth(lstPlugboard_->fontMetrics().horizontalAdvance(QString(30, 'x')));
  // The window keeps its size whether the list is shown or not.
  QSizePolicy keep = lstPlugboard_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  lstPlugboard_->setSizePolicy(keep);
  lstPlugboard_->setMaximumHeight(frame->sizeHint().height());
  lstPlugboard_->hide();
  connect(lstPlugboard_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { PickListed(lstPlugboard_->row(item)); });
  connect(lstPlugboard_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { PickListed(lstPlugboard_->row(item)); });
  layout->addWidget(frame);
  layout->addWidget(lstPlugboard_, 1);
  return row;
}

QWidget* OffLineDialog::BuildButtons() {
  auto* buttons = new QWidget(this);
  auto* grid = new QGridLayout(buttons);
  grid->setContentsMargins(0, 0, 0, 0);
  int widest = 0;
  for (int k = 0; k < kOffLineButtons; ++k) {
    auto* button = new QPushButton(kOperations[k].caption, buttons);
    button->setObjectName(QString("cmdOutput%1").arg(k));
    button->setToolTip(kOperations[k].tip);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, k] { RunOperation(k); });
    grid->addWidget(button, k / 4, k % 4);
    cmdOutput_[static_cast<std::size_t>(k)] = button;
    widest = std::max(widest, button->sizeHint().width());
  }
  // The list button's two captions both fit.
  const QFontMetrics metrics = cmdOutput_[7]->fontMetrics();
  widest = std::max(widest,
                    metrics.horizontalAdvance(QString::fromUtf8(window_text::kCloseListCaption)) +
                        2 * metrics.horizontalAdvance('x'));
  for (QPushButton* button : cmdOutput_) button->setMinimumWidth(widest);
  return buttons;
}

QWidget* OffLineDialog::BuildPrinterSwitch() {
  auto* printer = new QWidget(this);
  auto* layout = new QHBoxLayout(printer);
  layout->setContentsMargins(0, 0, 0, 0);
  chkBreakpoint_ = new QCheckBox(printer);
  chkBreakpoint_->setObjectName("chkHSP_BP");
  chkBreakpoint_->setToolTip("Pause a printer run at each breakpoint character");
  labBreakpoint_ = NamedLabel(printer, "Label4", "HSP B.P.");
  labBreakpoint_->installEventFilter(this);  // a click on the caption ticks the box
  connect(chkBreakpoint_, &QCheckBox::toggled, this,
          [this](bool on) { desk_->State.BreakpointSwitch = on; });
  for (int i = 0; i < 2; ++i) {
    shaHSP_[static_cast<std::size_t>(i)] = new LampShape(printer);
    shaHSP_[static_cast<std::size_t>(i)]->setObjectName(QString("shaHSP%1").arg(i));
  }
  layout->addWidget(chkBreakpoint_);
  layout->addWidget(labBreakpoint_);
  layout->addWidget(shaHSP_[1]);
  layout->addSpacing(16);
  layout->addWidget(shaHSP_[0]);
  layout->addWidget(NamedLabel(printer, "Label3", "HSP Stop"));
  return printer;
}

void OffLineDialog::Repaint() {
  const OffLineState& s = desk_->State;
  const QString source = QString::fromStdString(model_->txtSource);
  const QString target = QString::fromStdString(model_->txtTarget);
  if (txtSource_->text() != source) txtSource_->setText(source);
  if (txtTarget_->text() != target) txtTarget_->setText(target);
  // A target once accepted stays until the next reset: its box takes no other name.
  txtTarget_->setReadOnly(model_->TargetAccepted());
  const bool desk = model_->DeskControlsEnabled();
  for (QWidget* w : {static_cast<QWidget*>(txtSource_), static_cast<QWidget*>(txtTarget_),
                     static_cast<QWidget*>(lstPlugboard_)}) {
    w->setEnabled(desk);
  }
  for (int i = 0; i < 3; ++i) {
    QRadioButton* option = optPlugboard_[static_cast<std::size_t>(i)];
    SetChecked(option, static_cast<int>(s.Choice) == i);
    option->setEnabled(desk);
  }
  labWhichPB_->setText(QString::fromStdString(model_->WhichBoard()));

  if (model_->ListShown == lstPlugboard_->isHidden() ||
      lstPlugboard_->count() != static_cast<int>(model_->List.size())) {
    lstPlugboard_->clear();
    for (const PlugboardEntry& entry : model_->List) {
      lstPlugboard_->addItem(QString::fromStdString(entry.Text));
    }
    lstPlugboard_->setVisible(model_->ListShown);
  }
  cmdOutput_[7]->setText(QString::fromStdString(model_->ListCaption()));
  for (int k = 0; k < kOffLineButtons; ++k) {
    cmdOutput_[static_cast<std::size_t>(k)]->setEnabled(model_->ButtonEnabled(k));
  }
  if (chkBreakpoint_->isChecked() != s.BreakpointSwitch) {
    chkBreakpoint_->setChecked(s.BreakpointSwitch);
  }
  shaHSP_[0]->SetColour(s.StopLamp);
  shaHSP_[1]->SetColour(s.BreakpointLamp);
  if (model_->Closed && isVisible()) accept();
}

void OffLineDialog::NameBox(QLineEdit* box, bool leaving) {
  if (naming_) return;
  const bool source = box == txtSource_;
  QString& accepted = source ? acceptedSource_ : acceptedTarget_;
  // Leaving a box whose name was just accepted (by a click or Enter) accepts nothing anew.
  if (!(leaving && box->text() == accepted)) {
    naming_ = true;
    if (source) {
      model_->txtSource = box->text().toStdString();
      model_->NameSource();
    } else {
      model_->txtTarget = box->text().toStdString();
      model_->NameTarget();
    }
    naming_ = false;
    accepted = QString::fromStdString(source ? model_->txtSource : model_->txtTarget);
  }
  if (leaving && !source) ClearLamps(desk_->State);
  Repaint();
}

void OffLineDialog::ChooseOption(int index) {
  if (model_->ChooseOption(static_cast<PlugboardChoice>(index))) OpenEditor();
  Repaint();
}

void OffLineDialog::PickListed(int row) {
  if (model_->PickListed(row)) OpenEditor();
  Repaint();
}

void OffLineDialog::RunOperation(int index) {
  model_->Click(static_cast<OffLineButton>(index), [this] { OpenOrmtyper(); });
  acceptedSource_ = QString::fromStdString(model_->txtSource);
  acceptedTarget_ = QString::fromStdString(model_->txtTarget);
  Repaint();
}

void OffLineDialog::OpenEditor() {
  PlugboardEditor editor(desk_->Board, desk_->WorkingFolder, *op_);
  editor.Open();
  PlugboardDialog dialog(editor, this);
  runner_(dialog);
}

void OffLineDialog::OpenOrmtyper() {
  const OffLineState& s = desk_->State;
  Ormtyper typer(*op_);
  if (!typer.Open(s.TargetPath, static_cast<OrmtyperTarget>(s.Target), s.MayOverwrite)) return;
  OrmtyperDialog dialog(typer, this);
  runner_(dialog);
  if (!typer.Closed()) typer.Abort();
}

void OffLineDialog::Exit() {
  if (model_->Exit()) accept();
}

void OffLineDialog::reject() {
  // Escape and the window's close control are "Exit": during a paused run the window closes
  // once the run has ended.
  if (model_->Exit()) QDialog::reject();
}

bool OffLineDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == labBreakpoint_ && event->type() == QEvent::MouseButtonRelease) {
    if (chkBreakpoint_->isEnabled()) chkBreakpoint_->toggle();
    return true;
  }
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr || (box != txtSource_ && box != txtTarget_) || !box->isEnabled()) {
    return QDialog::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
      NameBox(box, false);
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        NameBox(box, false);
        return true;  // the Enter key is not typed into the box
      }
      break;
    }
    case QEvent::FocusOut: {
      // A message box or another window taking the focus is not the operator leaving the box.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        NameBox(box, true);
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ormlax::app
