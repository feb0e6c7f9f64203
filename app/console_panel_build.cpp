// Building the console panel's controls.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/console_window.h"
#include "app/lamp_shape.h"
#include "console/keyboard.h"
#include "console/panel_operations.h"
#include "tape/servo_unit.h"

namespace ormlax::app {
namespace {

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title) {
  auto* g = new QGroupBox(title, parent);
  g->setObjectName(name);
  return g;
}

QRadioButton* Radio(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tip = {}) {
  auto* r = new QRadioButton(caption, parent);
  r->setObjectName(name);
  if (!tip.isEmpty()) r->setToolTip(tip);
  return r;
}

}  // namespace

QPushButton* ConsoleWindow::Button(const char* name, const QString& caption, const QString& tip) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(name);
  if (!tip.isEmpty()) b->setToolTip(tip);
  b->setAutoDefault(false);
  return b;
}

QLineEdit* ConsoleWindow::WordField(const char* name, int width) {
  auto* f = new QLineEdit(this);
  f->setObjectName(name);
  f->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontMetrics m(f->font());
  f->setFixedWidth(m.horizontalAdvance(QString(width, '0')) + 10);
  return f;
}

QWidget* ConsoleWindow::BuildRegisters() {
  auto* box = Group(this, "fraRegisters", "Registers and memory");
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(3);

  txtLoc_ = WordField("txtLoc", 4);
  txtVal_[0] = WordField("txtVal0", 12);
  grid->addWidget(Label(box, "labAddr", "Location"), 0, 0);
  grid->addWidget(txtLoc_, 0, 1);
  grid->addWidget(Label(box, "labVal", "Contents"), 0, 2);
  grid->addWidget(txtVal_[0], 0, 3);

  auto* store = Button("cmdStoreLoc", "Store", "Store in specified location");
  cmdLCMinus_ = Button("cmdLCMinus", "-", "Location minus 1");
  cmdLCPlus_ = Button("cmdLCPlus", "+", "Location plus 1");
  for (QPushButton* b : {cmdLCMinus_, cmdLCPlus_}) b->setFixedWidth(30);
  auto* steps = new QHBoxLayout;
  steps->setSpacing(2);
  steps->addWidget(cmdLCMinus_);
  steps->addWidget(cmdLCPlus_);
  steps->addSpacing(6);
  steps->addWidget(store);
  steps->addStretch();
  auto* chars = steps;
  for (int k = 0; k < kKeyboardCharButtons; ++k) {
    auto* b = Button(qPrintable(QString("cmdChar%1").arg(k)),
                     QString::fromStdString(SpecialCharacterCaption(k)),
                     QString::fromStdString(SpecialCharacterToolTip(k)));
    b->setFixedWidth(22);
    chars->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, k] {
      AppendSpecialCharacter(sim_.Machine(), k);
      AfterOperation();
      txtVal_[0]->setFocus();
    });
  }
  grid->addLayout(steps, 1, 0, 1, 4);
  panelControls_.insert(panelControls_.end(), {store, cmdLCMinus_, cmdLCPlus_});

  const char* names[5] = {"rA", "rF", "rL", "rX", "rCR"};
  for (int i = 1; i <= 5; ++i) {
    txtVal_[static_cast<std::size_t>(i)] = WordField(qPrintable(QString("txtVal%1").arg(i)), 12);
    const int row = 2 + (i - 1) % 3;
    const int column = (i - 1) / 3 * 2;
    grid->addWidget(Label(box, QString("labReg%1").arg(i - 1), names[i - 1]), row, column);
    grid->addWidget(txtVal_[static_cast<std::size_t>(i)], row, column + 1);
  }
  txtCC_ = WordField("txtCC", 4);
  txtSR_ = WordField("txtSR", 6);
  txtSR_->setReadOnly(true);
  grid->addWidget(Label(box, "labCC", "rCC"), 4, 2);
  grid->addWidget(txtCC_, 4, 3, Qt::AlignLeft);
  grid->addWidget(Label(box, "labSR", "rSR"), 5, 2);
  grid->addWidget(txtSR_, 5, 3, Qt::AlignLeft);

  auto* blocks = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    labRegName_[static_cast<std::size_t>(i)] = Label(box, QString("labRegName%1").arg(i), "");
    labRegInUse_[static_cast<std::size_t>(i)] = Label(box, QString("labRegInUse%1").arg(i), "");
    labRegInUse_[static_cast<std::size_t>(i)]->setMinimumWidth(
        labRegInUse_[0]->fontMetrics().horizontalAdvance("cleared") + 4);
    blocks->addWidget(labRegName_[static_cast<std::size_t>(i)]);
    blocks->addSpacing(4);
    blocks->addWidget(labRegInUse_[static_cast<std::size_t>(i)]);
    blocks->addSpacing(10);
  }
  blocks->addStretch();
  grid->addLayout(blocks, 5, 0, 1, 2);
  return box;
}

QWidget* ConsoleWindow::BuildLamps() {
  auto* box = Group(this, "fraLamps", "Indicators");
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  for (int i = 0; i < kLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)] = new LampShape(box);
    lamps_[static_cast<std::size_t>(i)]->setObjectName(QString("Lamp%1").arg(i));
    grid->addWidget(lamps_[static_cast<std::size_t>(i)], i, 0);
    grid->addWidget(
        Label(box, QString("labLamp%1").arg(i), LampLabels[static_cast<std::size_t>(i)]), i, 1);
  }
  return box;
}

QWidget* ConsoleWindow::BuildRunControls() {
  auto* box = Group(this, "fraRun", "Run control");
  auto* grid = new QGridLayout(box);
  cmdRun_ = Button("cmdRun", "Run", "Run the program starting at rCC");
  cmdSingleStep_ = Button("cmdSingleStep", "Single Step", "Single-step through the program");
  auto* oneInst = Button("CmdOneInst", "Single Instruction", "Single-step through the program");
  auto* stop = Button("cmdStop", "Stop", "Stop execution");
  grid->addWidget(cmdRun_, 0, 0);
  grid->addWidget(stop, 0, 1);
  grid->addWidget(cmdSingleStep_, 1, 0);
  grid->addWidget(oneInst, 1, 1);
  auto* clearCC = Button("cmdClearPC", "Clear CC", "Clear the Control Counter");
  auto* clearRegs = Button("cmdClearRegs", "Clear Registers", "Clear rCC and all registers");
  auto* clearMemory =
      Button("cmdClearMemory", "Clear Memory", "Clear rCC, all registers, and all memory");
  auto* scicr = Button("cmdSCICR", "SCICR", "Supervisory Control Input to Control Register");
  auto* fill = Button("cmdFill", "Fill", "Look at console typewriter");
  cmdMemDump_ = Button("cmdMemDump", "Memory dump", "Dump the memory to a file");
  grid->addWidget(clearCC, 2, 0);
  grid->addWidget(clearRegs, 2, 1);
  grid->addWidget(clearMemory, 3, 0);
  grid->addWidget(scicr, 3, 1);
  grid->addWidget(fill, 4, 0);
  grid->addWidget(cmdMemDump_, 4, 1);
  panelControls_.insert(panelControls_.end(),
                        {cmdSingleStep_, oneInst, scicr, clearMemory, clearCC, clearRegs});
  return box;
}

QWidget* ConsoleWindow::BuildOptions() {
  auto* box = Group(this, "fraOptions", "Options");
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(3);
  chkProgDebug_ = new QCheckBox("Special functions", box);
  chkProgDebug_->setObjectName("chkProgDebug");
  chkProgDebug_->setToolTip(
      "Turn on warning messages for certain program logic errors, and turn on assembler and "
      "memory dump");
  layout->addWidget(chkProgDebug_);
  if (sim_.Machine().IsModelII) {
    chkO2asO1_ = new QCheckBox("O II operating as O I", box);
    chkO2asO1_->setObjectName("chkO2asO1");
    layout->addWidget(chkO2asO1_);
  } else {
    auto* hasI = new QCheckBox("ORMLAX I with I instruction", box);
    hasI->setObjectName("chkHasI");
    layout->addWidget(hasI);
    connect(hasI, &QCheckBox::toggled, this,
            [this](bool on) { SetHasIInstruction(sim_.Machine(), on); });
  }

  auto* comma = Group(box, "fraBP", "\",\" breakpoint");
  auto* commaRow = new QHBoxLayout(comma);
  auto* off = Radio(comma, "optBP0", "Off", "Do not stop for \",\" instruction");
  auto* on = Radio(comma, "optBP1", "On", "Stop for \",\" instruction");
  off->setChecked(true);
  commaRow->addWidget(off);
  commaRow->addWidget(on);
  layout->addWidget(comma);
  connect(on, &QRadioButton::toggled, this,
          [this](bool checked) { SetStopOnComma(sim_.Machine(), checked); });

  auto* fifty = Group(box, "fra50", "50 break");
  auto* fiftyRow = new QHBoxLayout(fifty);
  const char* captions[3] = {"Skip", "Normal", "Stop"};
  for (int i = 0; i < 3; ++i) {
    auto* r = Radio(fifty, QString("opt50%1").arg(i), captions[i]);
    r->setChecked(static_cast<FiftyBreakMode>(i) == sim_.Machine().FiftyBreak);
    fiftyRow->addWidget(r);
    connect(r, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) SetFiftyBreak(sim_.Machine(), static_cast<FiftyBreakMode>(i));
    });
  }
  layout->addWidget(fifty);
  layout->addStretch();
  return box;
}

QWidget* ConsoleWindow::BuildConditionalStops() {
  auto* box = Group(this, "fraQT", "Q/T conditional stop");
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  for (int i = 0; i <= kQTAll; ++i) {
    const bool all = i == kQTAll;
    auto* r = Radio(
        box, all ? QString("optQTA") : QString("optQT%1").arg(i),
        all ? QString("All") : QString::number(i),
        all ? QString("Stop on all Q and T instructions") : QString("Stop on Q%1 or T%1").arg(i));
    r->setAutoExclusive(false);
    optQT_[static_cast<std::size_t>(i)] = r;
    grid->addWidget(r, i / 4, i % 4);
    connect(r, &QRadioButton::clicked, this, [this, i] {
      SetQTSwitch(sim_.Machine(), i);
      AfterOperation();
    });
  }
  auto* clear = Button("cmdQTClear", "Clear", "Clear conditional stop");
  grid->addWidget(clear, 2, 3);
  connect(clear, &QPushButton::clicked, this, [this] {
    ClearConditionalStop(sim_.Machine());
    AfterOperation();
  });
  const char* go[2] = {"Go to", "No go"};
  const char* goTips[2] = {"After Q/T stop go to location", "After Q/T stop continue"};
  for (int i = 0; i < 2; ++i) {
    optQTGo_[static_cast<std::size_t>(i)] =
        Radio(box, QString("optQTGo%1").arg(i), go[i], goTips[i]);
    optQTGo_[static_cast<std::size_t>(i)]->setAutoExclusive(false);
    labQTGoPC_[static_cast<std::size_t>(i)] = Label(box, QString("labQTGoPC%1").arg(i), "");
    labQTGoPC_[static_cast<std::size_t>(i)]->setMinimumWidth(40);
    grid->addWidget(optQTGo_[static_cast<std::size_t>(i)], 3 + i, 0, 1, 2);
    grid->addWidget(labQTGoPC_[static_cast<std::size_t>(i)], 3 + i, 2, 1, 2);
    connect(optQTGo_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] {
      ChooseQTGo(sim_.Machine(), i == 0 ? QTGoChoice::GoTo : QTGoChoice::NoGo);
      AfterOperation();
    });
  }
  return box;
}

QWidget* ConsoleWindow::BuildServos() {
  auto* box = Group(this, "fraServo", "Tape units: default servo");
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  auto* group = new QButtonGroup(box);
  const int count = ServoCountOf(sim_.Machine().IsModelII);
  for (int n = 0; n < count; ++n) {
    const QString id(QChar(ServoIdentifier(n)));
    auto* r = Radio(box, QString("optServo%1").arg(n), id, "Use Servo " + id + " as default");
    group->addButton(r, n);
    optServo_[static_cast<std::size_t>(n)] = r;
    shaServo_[static_cast<std::size_t>(n)] = new LampShape(box);
    shaServo_[static_cast<std::size_t>(n)]->setObjectName(QString("shaServo%1").arg(n));
    shaServoInUse_[static_cast<std::size_t>(n)] = new LampShape(box);
    shaServoInUse_[static_cast<std::size_t>(n)]->setObjectName(QString("shaServoInUse%1").arg(n));
    grid->addWidget(r, 0, n, Qt::AlignHCenter);
    grid->addWidget(shaServo_[static_cast<std::size_t>(n)], 1, n, Qt::AlignHCenter);
    grid->addWidget(shaServoInUse_[static_cast<std::size_t>(n)], 2, n, Qt::AlignHCenter);
  }
  connect(group, &QButtonGroup::idClicked, this,
          [this](int n) { SelectDefaultServo(sim_.Machine(), n); });
  return box;
}

QWidget* ConsoleWindow::BuildCommands() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* load = Button("cmdLoadServo", "Load Servo", "Mount tapes on servos");
  auto* names = Button("cmdReadLabels", "Read Names", "Mount tapes on servos");
  cmdAssemble_ = Button("cmdAssemble", "Assembler",
                        "Assemble a program (the assembler is not available in this version)");
  auto* offLine =
      Button("cmdOffLine", "Off-line functions",
             "Manually write data to a tape (the off-line functions are not available in this "
             "version)");
  cmdAssemble_->setEnabled(false);
  offLine->setEnabled(false);
  cmdOrmprinter_ = Button("cmdOrmprinter", "Ormprinter", "Look at console typewriter");
  auto* exit = Button("cmdExit", "Power off", "Turn ORMLAX off");
  grid->addWidget(load, 0, 0);
  grid->addWidget(names, 1, 0);
  grid->addWidget(cmdAssemble_, 0, 1);
  grid->addWidget(offLine, 1, 1);
  grid->addWidget(cmdOrmprinter_, 0, 2);
  grid->addWidget(exit, 1, 2);
  panelControls_.push_back(exit);
  connect(load, &QPushButton::clicked, this, &ConsoleWindow::LoadServo);
  connect(names, &QPushButton::clicked, this, &ConsoleWindow::ReadLabels);
  connect(cmdOrmprinter_, &QPushButton::clicked, this, &ConsoleWindow::ShowTypewriter);
  connect(exit, &QPushButton::clicked, this, &ConsoleWindow::PowerOff);
  return box;
}

}  // namespace ormlax::app
