// Building the console panel's controls, in titled frames: registers and memory, indicators, run
// control, options and switches, tape units, and the buttons that open the other windows.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/console_window.h"
#include "app/lamp_shape.h"
#include "app/named_widgets.h"
#include "app/panel_button.h"
#include "app/word_field.h"
#include "console/keyboard.h"
#include "console/panel_operations.h"
#include "tape/servo_unit.h"

namespace ormlax::app {
namespace {

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

// Spreads a frame's rows over the height the frame is given, each row's controls in its middle.
void SpreadRows(QGridLayout* grid) {
  for (int i = 0; i < grid->count(); ++i) {
    QLayoutItem* item = grid->itemAt(i);
    item->setAlignment(item->alignment() | Qt::AlignVCenter);
  }
  for (int row = 0; row < grid->rowCount(); ++row) grid->setRowStretch(row, 1);
  grid->invalidate();
}

// A button just wide enough for a one-character caption.
void MakeNarrow(QPushButton* b) {
  const int width = qMax(b->fontMetrics().horizontalAdvance("W") + 14, b->sizeHint().height());
  b->setFixedWidth(width);
}

}  // namespace

QPushButton* ConsoleWindow::Button(const char* name, const QString& caption, const QString& tip) {
  auto* b = new PanelButton(caption, this);
  b->setObjectName(name);
  if (!tip.isEmpty()) b->setToolTip(tip);
  return b;
}

WordField* ConsoleWindow::Field(const char* name, int characters) {
  auto* f = new WordField(machineFont_, characters, this);
  f->setObjectName(name);
  return f;
}

QWidget* ConsoleWindow::BuildRegisters() {
  auto* box = Group(this, "fraRegisters", "Registers and memory");
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(6);

  txtLoc_ = Field("txtLoc", 4);
  txtVal_[kContentsField] = Field("txtVal0", 12);
  cmdLCMinus_ = Button("cmdLCMinus", "-", "Location minus 1");
  cmdLCPlus_ = Button("cmdLCPlus", "+", "Location plus 1");
  cmdStoreLoc_ = Button("cmdStoreLoc", "Store", "Store in specified location");
  MakeNarrow(cmdLCMinus_);
  MakeNarrow(cmdLCPlus_);
  auto* location = new QHBoxLayout;
  location->setSpacing(2);
  location->addWidget(txtLoc_);
  location->addSpacing(4);
  location->addWidget(cmdLCMinus_);
  location->addWidget(cmdLCPlus_);
  location->addStretch();
  grid->addWidget(NamedLabel(box, "labAddr", "Location"), 0, 0);
  grid->addLayout(location, 0, 1);
  grid->addWidget(NamedLabel(box, "labVal", "Contents"), 0, 2);
  grid->addWidget(txtVal_[kContentsField], 0, 3);

  auto* chars = new QHBoxLayout;
  chars->setSpacing(2);
  for (int k = 0; k < kKeyboardCharButtons; ++k) {
    auto* b = Button(qPrintable(QString("cmdChar%1").arg(k)),
                     QString::fromStdString(SpecialCharacterCaption(k)),
                     QString::fromStdString(SpecialCharacterToolTip(k)));
    MakeNarrow(b);
    chars->addWidget(b);
    panelControls_.push_back(b);
    connect(b, &QPushButton::clicked, this, [this, k] {
      AppendSpecialCharacter(sim_.Machine(), k);
      AfterOperation();
      txtVal_[kContentsField]->setFocus();
    });
  }
  chars->addStretch();
  grid->addLayout(chars, 1, 0, 1, 3);
  grid->addWidget(cmdStoreLoc_, 1, 3);
  panelControls_.insert(panelControls_.end(), {cmdStoreLoc_, cmdLCMinus_, cmdLCPlus_});

  const char* names[5] = {"rA", "rF", "rL", "rX", "rCR"};
  for (int i = 1; i <= 5; ++i) {
    txtVal_[static_cast<std::size_t>(i)] = Field(qPrintable(QString("txtVal%1").arg(i)), 12);
    const int row = 2 + (i - 1) % 3;
    const int column = (i - 1) / 3 * 2;
    grid->addWidget(NamedLabel(box, QString("labReg%1").arg(i - 1), names[i - 1]), row, column);
    grid->addWidget(txtVal_[static_cast<std::size_t>(i)], row, column + 1);
  }
  txtCC_ = Field("txtCC", 4);
  txtSR_ = Field("txtSR", 6);
  txtSR_->setReadOnly(true);
  grid->addWidget(NamedLabel(box, "labCC", "rCC"), 4, 2);
  grid->addWidget(txtCC_, 4, 3, Qt::AlignLeft);
  grid->addWidget(NamedLabel(box, "labSR", "rSR"), 5, 0);
  grid->addWidget(txtSR_, 5, 1, Qt::AlignLeft);

  auto* blocks = new QHBoxLayout;
  blocks->setSpacing(4);
  for (int i = 0; i < 3; ++i) {
    const auto n = static_cast<std::size_t>(i);
    labRegName_[n] = NamedLabel(box, QString("labRegName%1").arg(i), "");
    labRegInUse_[n] = NamedLabel(box, QString("labRegInUse%1").arg(i), "");
    labRegName_[n]->setMinimumWidth(labRegName_[n]->fontMetrics().horizontalAdvance("rW"));
    labRegInUse_[n]->setMinimumWidth(labRegInUse_[n]->fontMetrics().horizontalAdvance("cleared"));
    blocks->addWidget(labRegName_[n]);
    blocks->addWidget(labRegInUse_[n]);
    if (i < 2) blocks->addStretch();
  }
  grid->addLayout(blocks, 6, 0, 1, 4);
  SpreadRows(grid);
  return box;
}

QWidget* ConsoleWindow::BuildLamps() {
  auto* box = Group(this, "fraLamps", "Indicators");
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < kLampCount; ++i) {
    const auto n = static_cast<std::size_t>(i);
    lamps_[n] = new LampShape(box);
    lamps_[n]->setObjectName(QString("Lamp%1").arg(i));
    grid->addWidget(lamps_[n], i, 0);
    grid->addWidget(NamedLabel(box, QString("labLamp%1").arg(i), LampLabels[n]), i, 1);
  }
  SpreadRows(grid);
  return box;
}

QWidget* ConsoleWindow::BuildRunControls() {
  auto* box = Group(this, "fraRun", "Run control");
  auto* grid = new QGridLayout(box);
  cmdRun_ = Button("cmdRun", "Run", "Run the program starting at rCC");
  cmdSingleStep_ = Button("cmdSingleStep", "Single Step", "Single-step through the program");
  auto* oneInst = Button("CmdOneInst", "Single Instruction", "Single-step through the program");
  auto* stop = Button("cmdStop", "Stop", "Stop execution");
  auto* clearCC = Button("cmdClearPC", "Clear CC", "Clear the Control Counter");
  auto* clearRegs = Button("cmdClearRegs", "Clear Registers", "Clear rCC and all registers");
  auto* clearMemory =
      Button("cmdClearMemory", "Clear Memory", "Clear rCC, all registers, and all memory");
  auto* scicr = Button("cmdSCICR", "SCICR", "Supervisory Control Input to Control Register");
  auto* fill = Button("cmdFill", "Fill", "Look at console typewriter");
  cmdMemDump_ = Button("cmdMemDump", "Memory dump", "Dump the memory to a file");
  cmdDebug_ = Button("cmdDebug", "Debugging",
                     "Breakpoints, a view of memory, a trace, and saving the session");
  QPushButton* const rows[6][2] = {{cmdRun_, stop},      {cmdSingleStep_, oneInst},
                                   {clearCC, clearRegs}, {clearMemory, scicr},
                                   {fill, cmdMemDump_},  {nullptr, cmdDebug_}};
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 2; ++column) {
      if (rows[row][column]) grid->addWidget(rows[row][column], row, column);
    }
  }
  SpreadRows(grid);
  // Fill rewrites rCC: during a run it would send the program elsewhere.
  panelControls_.insert(panelControls_.end(),
                        {cmdSingleStep_, oneInst, scicr, clearMemory, clearCC, clearRegs, fill});
  return box;
}

QWidget* ConsoleWindow::BuildOptions() {
  auto* box = Group(this, "fraOptions", "Options and switches");
  auto* options = new QVBoxLayout;
  chkProgDebug_ = new QCheckBox("Special functions", box);
  chkProgDebug_->setObjectName("chkProgDebug");
  chkProgDebug_->setToolTip(
      "Turn on warning messages for certain program logic errors, and turn on assembler and "
      "memory dump");
  options->addWidget(chkProgDebug_);
  if (sim_.Machine().IsModelII) {
    chkO2asO1_ = new QCheckBox("O II operating as O I", box);
    chkO2asO1_->setObjectName("chkO2asO1");
    options->addWidget(chkO2asO1_);
  } else {
    auto* hasI = new QCheckBox("ORMLAX I with I instruction", box);
    hasI->setObjectName("chkHasI");
    options->addWidget(hasI);
    connect(hasI, &QCheckBox::toggled, this,
            [this](bool on) { SetHasIInstruction(sim_.Machine(), on); });
  }
  chkHistorical_ = new QCheckBox("Historical speed", box);
  chkHistorical_->setObjectName("chkHistorical");
  chkHistorical_->setToolTip(
      "Run at the pace of the machine: about 2,000 words a second, 10 typed characters a "
      "second, and tape blocks at the speed of the tape units");
  options->addWidget(chkHistorical_);
  connect(chkHistorical_, &QCheckBox::toggled, this,
          [this](bool on) { sim_.SetHistoricalSpeed(on); });

  auto* comma = Group(box, "fraBP", "\",\" breakpoint");
  auto* commaRow = new QHBoxLayout(comma);
  auto* off = Radio(comma, "optBP0", "Off", "Do not stop for \",\" instruction");
  auto* on = Radio(comma, "optBP1", "On", "Stop for \",\" instruction");
  off->setChecked(true);
  commaRow->addWidget(off);
  commaRow->addWidget(on);
  commaRow->addStretch();
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
  fiftyRow->addStretch();
  options->addStretch();
  options->addWidget(comma);
  options->addWidget(fifty);

  auto* layout = new QHBoxLayout(box);
  layout->addLayout(options);
  layout->addWidget(BuildConditionalStops(box));
  return box;
}

QWidget* ConsoleWindow::BuildConditionalStops(QWidget* parent) {
  auto* box = Group(parent, "fraQT", "Q/T conditional stop");
  auto* grid = new QGridLayout(box);
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
    const auto n = static_cast<std::size_t>(i);
    optQTGo_[n] = Radio(box, QString("optQTGo%1").arg(i), go[i], goTips[i]);
    optQTGo_[n]->setAutoExclusive(false);
    labQTGoPC_[n] = NamedLabel(box, QString("labQTGoPC%1").arg(i), "");
    labQTGoPC_[n]->setMinimumWidth(labQTGoPC_[n]->fontMetrics().horizontalAdvance("00000"));
    grid->addWidget(optQTGo_[n], 3 + i, 0, 1, 2);
    grid->addWidget(labQTGoPC_[n], 3 + i, 2, 1, 2);
    connect(optQTGo_[n], &QRadioButton::clicked, this, [this, i] {
      ChooseQTGo(sim_.Machine(), i == 0 ? QTGoChoice::GoTo : QTGoChoice::NoGo);
      AfterOperation();
    });
  }
  SpreadRows(grid);
  return box;
}

QWidget* ConsoleWindow::BuildServos() {
  auto* box = Group(this, "fraServo", "Tape units: default servo");
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(6);
  auto* group = new QButtonGroup(box);
  const int count = ServoCountOf(sim_.Machine().IsModelII);
  for (int n = 0; n < count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const QString id(QChar(ServoIdentifier(n)));
    auto* r = Radio(box, QString("optServo%1").arg(n), id, "Use Servo " + id + " as default");
    group->addButton(r, n);
    optServo_[i] = r;
    shaServo_[i] = new LampShape(box);
    shaServo_[i]->setObjectName(QString("shaServo%1").arg(n));
    shaServoInUse_[i] = new LampShape(box);
    shaServoInUse_[i]->setObjectName(QString("shaServoInUse%1").arg(n));
    grid->addWidget(r, 0, n, Qt::AlignHCenter);
    grid->addWidget(shaServo_[i], 1, n, Qt::AlignHCenter);
    grid->addWidget(shaServoInUse_[i], 2, n, Qt::AlignHCenter);
  }
  connect(group, &QButtonGroup::idClicked, this,
          [this](int n) { SelectDefaultServo(sim_.Machine(), n); });
  return box;
}

QWidget* ConsoleWindow::BuildWindows() {
  auto* box = Group(this, "fraWindows", "Windows and power");
  auto* grid = new QGridLayout(box);
  auto* load = Button("cmdLoadServo", "Load Servo", "Mount tapes on servos");
  auto* names = Button("cmdReadLabels", "Read Names", "Mount tapes on servos");
  cmdAssemble_ = Button("cmdAssemble", "Assembler", "Assemble a program");
  auto* offLine = Button("cmdOffLine", "Off-line functions", "Manually write data to a tape");
  cmdOrmprinter_ = Button("cmdOrmprinter", "Ormprinter", "Look at console typewriter");
  auto* exit = Button("cmdExit", "Power off", "Turn ORMLAX off");
  // Two rows where the tape units leave room for three columns only.
  const int columns = sim_.Machine().IsModelII ? 3 : 6;
  QPushButton* const order[6] = {load, names, cmdOrmprinter_, cmdAssemble_, offLine, exit};
  for (int i = 0; i < 6; ++i) grid->addWidget(order[i], i / columns, i % columns);
  panelControls_.push_back(exit);
  return box;
}

}  // namespace ormlax::app
