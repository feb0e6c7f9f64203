#include "app/console_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/labels_dialog.h"
#include "app/servo_dialog.h"
#include "app/typewriter_section.h"
#include "console/fill.h"
#include "console/memory_dump.h"
#include "console/panel_operations.h"
#include "core/clear_operations.h"
#include "tape/servo_window.h"

namespace ormlax::app {
namespace {

// How often a run shows the registers: a few dozen times a second.
constexpr int kRefreshMilliseconds = 40;
// The window's two heights, in twips (1440 to the inch).
constexpr int kHiddenTwips = kSectionHiddenHeightTwips;
constexpr int kShownTwips = kSectionShownHeightTwips;

int MainHelpContext(const MachineState& s) {
  return s.IsModelII ? 4010 : 4000;
}

}  // namespace

ConsoleWindow::ConsoleWindow(Installation& ormlax, Operator& op, DialogRunner runner,
                             QWidget* parent)
    : QMainWindow(parent), ormlax_(ormlax), sim_(ormlax, op), runner_(std::move(runner)) {
  MachineState& s = sim_.Machine();
  setObjectName("frmMain");
  setWindowTitle(s.IsModelII ? "ORMLAX II simulator" : "ORMLAX I simulator");

  auto* central = new QWidget(this);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildRegisters());
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildLamps());
  top->addLayout(middle);
  top->addWidget(BuildRunControls());
  auto* right = new QVBoxLayout;
  right->addWidget(BuildConditionalStops());
  top->addLayout(right);
  top->addWidget(BuildOptions());

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BuildServos());
  bottom->addStretch();
  bottom->addWidget(BuildCommands());

  typewriter_ = new TypewriterSection(sim_.Ormprinter(), op, central);
  typewriter_->hide();

  panel_ = new QWidget(central);
  auto* panelLayout = new QVBoxLayout(panel_);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->setSpacing(4);
  panelLayout->addLayout(top);
  panelLayout->addLayout(bottom);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(4);
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
  UpdateHelpContext();
  RefreshFromState();
  resize(qMax(sizeHint().width(), 800), HiddenHeight());
}

ConsoleWindow::~ConsoleWindow() = default;

// The heights come from the machine's drawings, in twips; a panel that needs more room on this
// screen (larger fonts) gets it, so that nothing is cut off.
int ConsoleWindow::HiddenHeight() const {
  const int twips = kHiddenTwips * logicalDpiY() / 1440;
  return qMax(twips, panel_->minimumSizeHint().height() + 12);
}

int ConsoleWindow::ShownHeight() const {
  const int twips = kShownTwips * logicalDpiY() / 1440;
  constexpr int kPaperRoom = 140;
  return qMax(twips, HiddenHeight() + qMax(typewriter_->minimumSizeHint().height(), kPaperRoom));
}

void ConsoleWindow::ConnectControls() {
  MachineState& s = sim_.Machine();
  connect(txtLoc_, &QLineEdit::textEdited, this, [this](const QString& text) {
    TypeLocation(sim_.Machine(), text.toStdString());
    AfterOperation();
  });
  connect(txtCC_, &QLineEdit::textEdited, this,
          [this](const QString& text) { TypeControlCounter(sim_.Machine(), text.toStdString()); });
  for (int i = 0; i < kWordFieldCount; ++i) {
    connect(txtVal_[static_cast<std::size_t>(i)], &QLineEdit::textEdited, this,
            [this, i](const QString& text) {
              TypeWordField(sim_.Machine(), i, text.toStdString());
              AfterOperation();
            });
  }
  const auto bind = [this](const char* name, auto operation) {
    auto* b = findChild<QPushButton*>(name);
    connect(b, &QPushButton::clicked, this, [this, operation] {
      operation();
      AfterOperation();
    });
  };
  bind("cmdStoreLoc", [this] {
    Store(sim_.Machine());
    txtVal_[0]->setFocus();
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
  connect(cmdRun_, &QPushButton::clicked, this, &ConsoleWindow::Run);
  connect(cmdSingleStep_, &QPushButton::clicked, this, &ConsoleWindow::SingleStep);
  connect(findChild<QPushButton*>("CmdOneInst"), &QPushButton::clicked, this,
          &ConsoleWindow::SingleInstruction);
  connect(findChild<QPushButton*>("cmdStop"), &QPushButton::clicked, this,
          &ConsoleWindow::StopMachine);
  connect(chkProgDebug_, &QCheckBox::toggled, this, [this](bool on) {
    SetProgramDebug(sim_.Machine(), on);
    cmdAssemble_->setVisible(on);
    cmdMemDump_->setVisible(on);
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
}

void ConsoleWindow::SingleStep() {
  sim_.Cpu().SingleStep();
  RefreshFromState();
}

void ConsoleWindow::SingleInstruction() {
  sim_.Cpu().SingleInstruction();
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

void ConsoleWindow::ReadLabels() {
  LabelsDialog dialog(ormlax_.Servos, sim_.Machine().IsModelII, this);
  runner_(dialog);
}

void ConsoleWindow::MemoryDump() {
  std::string error;
  if (!WriteMemoryDump(sim_.Machine(), ormlax_.WorkingFolder / kMemoryDumpFileName, error)) {
    ShowOkMessage(sim_.Op(), error);
  }
}

void ConsoleWindow::ShowTypewriter() {
  sim_.Ormprinter().ShowSection();
  typewriter_->show();
  cmdOrmprinter_->setEnabled(false);
  centralWidget()->layout()->activate();
  resize(width(), ShownHeight());
  UpdateHelpContext();
}

void ConsoleWindow::HideTypewriter() {
  sim_.Ormprinter().HideSection();
  typewriter_->hide();
  cmdOrmprinter_->setEnabled(true);
  centralWidget()->layout()->activate();
  layout()->activate();
  resize(width(), HiddenHeight());
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
  for (ServoUnit& unit : ormlax_.Servos) unit.File.Close();
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
