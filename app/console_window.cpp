#include "app/console_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/assembler_dialog.h"
#include "app/debugging_dialog.h"
#include "app/labels_dialog.h"
#include "app/machine_font.h"
#include "app/offline_dialog.h"
#include "app/paper_view.h"
#include "app/servo_dialog.h"
#include "app/typewriter_section.h"
#include "app/window_placement.h"
#include "app/word_field.h"
#include "console/fill.h"
#include "console/memory_dump.h"
#include "console/panel_operations.h"
#include "core/clear_operations.h"
#include "installation/console_operations.h"
#include "printing/qt_host_printer.h"
#include "tape/servo_window.h"

namespace ormlax::app {
namespace {

// How often a run shows the registers: a few dozen times a second.
constexpr int kRefreshMilliseconds = 40;
// Room around the panel and between it and the typewriter section.
constexpr int kMargin = 6;

int MainHelpContext(const MachineState& s) {
  return s.IsModelII ? 4010 : 4000;
}

}  // namespace

ConsoleWindow::ConsoleWindow(Installation& ormlax, Simulator& sim, DialogRunner runner,
                             QWidget* parent)
    : QMainWindow(parent),
      ormlax_(ormlax),
      sim_(sim),
      runner_(std::move(runner)),
      machineFont_(MachineFont()) {
  MachineState& s = sim_.Machine();
  setObjectName("frmMain");
  setWindowTitle(s.IsModelII ? "ORMLAX II simulator" : "ORMLAX I simulator");

  auto* central = new QWidget(this);
  panel_ = new QWidget(central);
  panel_->setObjectName("fraPanel");
  auto* top = new QHBoxLayout;
  top->addWidget(BuildRegisters());
  top->addWidget(BuildLamps());
  top->addWidget(BuildRunControls());
  top->addWidget(BuildOptions());
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BuildServos());
  bottom->addWidget(BuildWindows(), 1);
  auto* panelLayout = new QVBoxLayout(panel_);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->addLayout(top, 1);
  panelLayout->addLayout(bottom);

  typewriter_ = new TypewriterSection(sim_.Ormprinter(), sim_.Op(), machineFont_, central);
  typewriter_->hide();

  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->setSpacing(kMargin);
  layout->addWidget(panel_);
  layout->addWidget(typewriter_, 1);
  setCentralWidget(central);

  refreshTimer_ = new QTimer(this);
  refreshTimer_->setInterval(kRefreshMilliseconds);
  connect(refreshTimer_, &QTimer::timeout, this, &ConsoleWindow::RefreshFromState);
  refreshTimer_->start();
  ConnectControls();
  // Start-up settings of the panel.
  cmdAssemble_->hide();
  cmdMemDump_->hide();
  cmdDebug_->hide();
  UpdateHelpContext();
  RefreshFromState();
  FixSizes();
}

ConsoleWindow::~ConsoleWindow() {
  // The fields lose the focus as the window goes; nothing is left to show it.
  for (WordField* field : findChildren<WordField*>()) field->disconnect(this);
  refreshTimer_->stop();
}

// The heights come from the machine's drawings, in twips (1440 to the inch); a panel that needs
// more room on this screen (larger fonts) gets it, so that nothing is cut off. The panel keeps
// one height, so that it looks the same whether the typewriter section is shown or not.
void ConsoleWindow::FixSizes() {
  const int dpi = logicalDpiY();
  const int hiddenTwips = kSectionHiddenHeightTwips * dpi / 1440;
  const int shownTwips = kSectionShownHeightTwips * dpi / 1440;
  const int panelNeeds = panel_->layout()->minimumSize().height();
  const int panelHeight = qMax(hiddenTwips - 2 * kMargin, panelNeeds);
  panel_->setFixedHeight(panelHeight);
  hiddenHeight_ = panelHeight + 2 * kMargin;
  const int typewriterNeeds = typewriter_->minimumSizeHint().height();
  shownHeight_ = qMax(shownTwips, hiddenHeight_ + kMargin + typewriterNeeds);
  const int width =
      qMax(panel_->minimumSizeHint().width(), typewriter_->minimumSizeHint().width()) + 2 * kMargin;
  setFixedSize(width, typewriter_->isHidden() ? hiddenHeight_ : shownHeight_);
}

int ConsoleWindow::HiddenHeight() const {
  return hiddenHeight_;
}

int ConsoleWindow::ShownHeight() const {
  return shownHeight_;
}

void ConsoleWindow::ConnectControls() {
  MachineState& s = sim_.Machine();
  connect(txtLoc_, &WordField::Edited, this, [this](const std::string&, const std::string& text) {
    TypeLocation(sim_.Machine(), text);
    AfterOperation();
  });
  connect(txtLoc_, &WordField::Left, this, [this] {
    LeaveLocationField(sim_.Machine());
    AfterOperation();
  });
  connect(txtCC_, &WordField::Edited, this, [this](const std::string&, const std::string& text) {
    TypeControlCounter(sim_.Machine(), text);
  });
  for (int i = 0; i < kWordFieldCount; ++i) {
    connect(txtVal_[static_cast<std::size_t>(i)], &WordField::Edited, this,
            [this, i](const std::string& shown, const std::string& edited, int caret) {
              TypeWordField(sim_.Machine(), i, shown, edited, static_cast<std::size_t>(caret));
              AfterOperation();
            });
  }
  // Enter in Contents stores it, so a program can be keyed in word after word.
  connect(txtVal_[kContentsField], &QLineEdit::returnPressed, cmdStoreLoc_, [this] {
    if (cmdStoreLoc_->isEnabled()) cmdStoreLoc_->click();
  });
  const auto bind = [this](const char* name, auto operation) {
    auto* b = findChild<QPushButton*>(name);
    connect(b, &QPushButton::clicked, this, [this, operation] {
      operation();
      AfterOperation();
    });
  };
  bind("cmdStoreLoc", [this] {
    Store(sim_.Machine());
    txtVal_[kContentsField]->setFocus();
  });
  bind("cmdLCPlus", [&s] { LocationPlus1(s); });
  bind("cmdLCMinus", [&s] { LocationMinus1(s); });
  bind("cmdClearPC", [&s] { ClearCC(s); });
  bind("cmdClearRegs", [&s] { ClearRegisters(s); });
  bind("cmdClearMemory", [&s] { ClearMemory(s); });
  bind("cmdSCICR", [this] {
    SCICR(sim_.Machine());
    cmdSingleStep_->setFocus();
  });
  bind("cmdFill", [this] {
    if (typewriter_->isHidden()) ShowTypewriter();
    Fill(sim_.Machine(), sim_.Ormprinter());
  });
  bind("cmdMemDump", [this] { MemoryDump(); });
  connect(cmdDebug_, &QPushButton::clicked, this, &ConsoleWindow::Debugging);
  connect(cmdRun_, &QPushButton::clicked, this, &ConsoleWindow::Run);
  connect(cmdSingleStep_, &QPushButton::clicked, this, &ConsoleWindow::SingleStep);
  connect(findChild<QPushButton*>("CmdOneInst"), &QPushButton::clicked, this,
          &ConsoleWindow::SingleInstruction);
  connect(findChild<QPushButton*>("cmdStop"), &QPushButton::clicked, this,
          &ConsoleWindow::StopMachine);
  connect(findChild<QPushButton*>("cmdLoadServo"), &QPushButton::clicked, this,
          &ConsoleWindow::LoadServo);
  connect(findChild<QPushButton*>("cmdReadLabels"), &QPushButton::clicked, this,
          &ConsoleWindow::ReadLabels);
  connect(cmdAssemble_, &QPushButton::clicked, this, &ConsoleWindow::AssembleProgram);
  connect(findChild<QPushButton*>("cmdOffLine"), &QPushButton::clicked, this,
          &ConsoleWindow::OffLineFunctions);
  connect(cmdOrmprinter_, &QPushButton::clicked, this, &ConsoleWindow::ShowTypewriter);
  connect(findChild<QPushButton*>("cmdExit"), &QPushButton::clicked, this,
          &ConsoleWindow::PowerOff);
  connect(chkProgDebug_, &QCheckBox::toggled, this, [this](bool on) {
    SetProgramDebug(sim_.Machine(), on);
    cmdAssemble_->setVisible(on);
    cmdMemDump_->setVisible(on);
    cmdDebug_->setVisible(on);
  });
  if (chkO2asO1_ != nullptr) {
    connect(chkO2asO1_, &QCheckBox::toggled, this, [this](bool on) {
      SetOperatingAsI(sim_.Machine(), on);
      AfterOperation();
    });
  }
  connect(typewriter_, &TypewriterSection::FocusToRun, this, [this] { cmdRun_->setFocus(); });
  connect(typewriter_, &TypewriterSection::HideRequested, this, &ConsoleWindow::HideTypewriter);
}

void ConsoleWindow::AfterOperation() {
  RefreshFromState();
}

void ConsoleWindow::Run() {
  // The panel shows the run at once; while it goes on, the refresh timer shows the registers.
  QTimer::singleShot(0, this, &ConsoleWindow::RefreshFromState);
  sim_.Cpu().Run();
  RefreshFromState();
  emit Stopped();
}

void ConsoleWindow::SingleStep() {
  sim_.Cpu().SingleStep();
  RefreshFromState();
  emit Stopped();
}

void ConsoleWindow::SingleInstruction() {
  sim_.Cpu().SingleInstruction();
  RefreshFromState();
  emit Stopped();
}

void ConsoleWindow::Debugging() {
  if (!debugging_) {
    debugging_ = new DebuggingDialog(ormlax_, sim_, this);
    connect(this, &ConsoleWindow::Refreshed, debugging_, [this] { debugging_->Refresh(false); });
    connect(this, &ConsoleWindow::Stopped, debugging_, [this] { debugging_->Refresh(true); });
    connect(debugging_, &DebuggingDialog::Restored, this, &ConsoleWindow::ShowRestoredSession);
    // In a corner of the screen, the run controls stay in view.
    PlaceInScreenCorner(debugging_, this, Qt::BottomRightCorner);
  }
  debugging_->show();
  debugging_->raise();
  debugging_->activateWindow();
}

void ConsoleWindow::ShowRestoredSession() {
  // The session brings its own paper and typewriter section: the paper shown so far is not the
  // session's, so the view takes the whole paper afresh.
  const TypewriterState& t = sim_.Ormprinter().State();
  if (auto* paper = typewriter_->findChild<PaperView*>("txtPaper")) {
    paper->ClearPaper();
    paper->Print(t.Paper);
  }
  if (!t.SectionShown && !typewriter_->isHidden()) HideTypewriter();
  if (t.SectionShown && typewriter_->isHidden()) ShowTypewriter();
  UpdateHelpContext();
  ShowOptions();
  RefreshFromState();
}

void ConsoleWindow::StopMachine() {
  sim_.Cpu().Stop();
  RefreshFromState();
}

void ConsoleWindow::LoadServo() {
  MachineState& s = sim_.Machine();
  ServoWindow model(ormlax_.Servos, sim_.Op(), ormlax_.WorkingFolder, s.IsModelII);
  model.Open(ormlax_.LastAssembledProgram);
  ServoDialog dialog(model, s.IsModelII, this);
  runner_(dialog);
  RefreshFromState();
}

void ConsoleWindow::AssembleProgram() {
  AssemblerDialog dialog(ormlax_, sim_.Op(), this);
  runner_(dialog);
  // After a run without errors the console prepares to load the new tape: the typewriter shown
  // and on, the loading word in rCR, and Single Step ready to read the tape's first block.
  if (PrepareToLoadAssembledProgram(ormlax_)) {
    RefreshFromState();
    cmdSingleStep_->setFocus();
  }
  RefreshFromState();
}

// The off-line equipment works on host files only: the machine cannot run while its window is
// open, and nothing of it but the tape units' file names is read.
void ConsoleWindow::OffLineFunctions() {
  if (!printer_) printer_ = QtHostPrinter::DefaultPrinter();
  OffLineDialog dialog(ormlax_, sim_.Op(), printer_.get(), runner_, this);
  runner_(dialog);
  RefreshFromState();
}

void ConsoleWindow::ReadLabels() {
  LabelsDialog dialog(ormlax_.Servos, sim_.Machine().IsModelII, this);
  runner_(dialog);
}

void ConsoleWindow::MemoryDump() {
  std::string error;
  if (!DumpMemory(ormlax_, kMemoryDumpFileName, error)) ShowOkMessage(sim_.Op(), error);
}

void ConsoleWindow::ShowTypewriter() {
  sim_.Ormprinter().ShowSection();
  typewriter_->show();
  // The button is disabled now; its focus goes to Run, not on to the next button (Power off).
  if (cmdOrmprinter_->hasFocus()) cmdRun_->setFocus();
  cmdOrmprinter_->setEnabled(false);
  setFixedHeight(shownHeight_);
  centralWidget()->layout()->activate();
  UpdateHelpContext();
}

void ConsoleWindow::HideTypewriter() {
  sim_.Ormprinter().HideSection();
  typewriter_->hide();
  cmdOrmprinter_->setEnabled(true);
  setFixedHeight(hiddenHeight_);
  centralWidget()->layout()->activate();
  UpdateHelpContext();
  cmdRun_->setFocus();
}

void ConsoleWindow::UpdateHelpContext() {
  setProperty("helpContext",
              MainHelpContext(sim_.Machine()) + sim_.Ormprinter().State().HelpContextOffset);
}

void ConsoleWindow::PowerOff() {
  if (poweredOff_) return;
  poweredOff_ = true;
  sim_.Cpu().Stop();
  for (const std::string& failure : SwitchOff(ormlax_)) ShowOkMessage(sim_.Op(), failure);
  refreshTimer_->stop();
  hide();
  QCoreApplication::quit();
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
  // The window's own close control switches the console off as "Power off" does.
  PowerOff();
  event->accept();
}

}  // namespace ormlax::app
