#include "app/typewriter_section.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/lamp_shape.h"
#include "app/panel_button.h"
#include "app/paper_view.h"

namespace ormlax::app {
namespace {

QPushButton* Key(QWidget* parent, const char* name, const char* caption, const char* tip = "") {
  auto* b = new PanelButton(caption, parent);
  b->setObjectName(name);
  if (*tip) b->setToolTip(tip);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

TypewriterSection::TypewriterSection(Typewriter& typewriter, Operator& op, const QFont& paperFont,
                                     QWidget* parent)
    : QGroupBox("Console typewriter (Ormprinter)", parent), typewriter_(typewriter), op_(op) {
  setObjectName("fraOrmprinter");

  paper_ = new PaperView(paperFont, this);
  paper_->setObjectName("txtPaper");
  paper_->setToolTip("This is the paper in the Ormprinter");
  const QFontMetrics paperMetrics(paperFont);
  paper_->setMinimumHeight(kPaperLinesShown * paperMetrics.lineSpacing() +
                           2 * (paper_->frameWidth() + 4));

  warningFrame_ = new QFrame(this);
  warningFrame_->setObjectName("labPaperOut0");
  warningFrame_->setToolTip("Paper warning indicator");
  warningFrame_->setFixedWidth(10);
  warningFrame_->setFrameShape(QFrame::Box);
  warningBar_ = new QLabel(warningFrame_);
  warningBar_->setObjectName("labPaperOut1");
  warningBar_->setToolTip("Paper warning indicator");
  warningBar_->setStyleSheet("background-color: rgb(255, 0, 0);");
  warningBar_->hide();

  auto* power = Key(this, "cmdUPPwrOn", "Power");
  start_ = Key(this, "cmdUPStart", "Start");
  auto* clear = Key(this, "cmdUPClear", "Clear", "Remove paper from Ormprinter");
  auto* digit = Key(this, "cmdCompDigit", "CD");
  auto* hide = Key(this, "cmdHide", "Hide");
  breakpoint_ = new QCheckBox("Breakpoint stop", this);
  breakpoint_->setObjectName("chkBreakpoint");

  for (int i = 0; i < kTypewriterLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)] = new LampShape(this);
    lamps_[static_cast<std::size_t>(i)]->setObjectName(QString("shaOrmprinterLamp%1").arg(i));
  }
  // Lamp 0 stands beside the check box it belongs to; the others have labels.
  struct LampPlace {
    int lamp;
    const char* label;
    const char* name;
    int row, column;
  };
  const LampPlace places[] = {
      {kPrinterStopLamp, "Stop code", "labStop", 1, 0},
      {kIllegalCharacterLamp, "Illegal character", "labIllegal", 1, 2},
      {kPowerLamp, "Power", "labPower", 2, 0},
      {kComputerDigitLamp, "CD", "labCompDigit", 2, 2},
  };
  // Lamps and keys in one grid whose rows share the section's height.
  auto* controls = new QGridLayout;
  controls->setHorizontalSpacing(6);
  controls->setVerticalSpacing(4);
  controls->addWidget(lamps_[kPrinterBreakpointLamp], 0, 0, Qt::AlignVCenter);
  controls->addWidget(breakpoint_, 0, 1, 1, 3, Qt::AlignVCenter);
  for (const LampPlace& p : places) {
    controls->addWidget(lamps_[static_cast<std::size_t>(p.lamp)], p.row, p.column,
                        Qt::AlignVCenter);
    auto* label = new QLabel(p.label, this);
    label->setObjectName(p.name);
    controls->addWidget(label, p.row, p.column + 1, Qt::AlignVCenter);
  }
  auto* keys = new QGridLayout;
  keys->setSpacing(4);
  keys->addWidget(power, 0, 0);
  keys->addWidget(start_, 0, 1);
  keys->addWidget(digit, 0, 2);
  keys->addWidget(clear, 1, 0);
  keys->addWidget(hide, 1, 1, 1, 2);
  controls->addLayout(keys, 3, 0, 1, 4, Qt::AlignVCenter);
  for (int row = 0; row < controls->rowCount(); ++row) controls->setRowStretch(row, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(paper_, 1);
  layout->addWidget(warningFrame_);
  layout->addSpacing(4);
  layout->addLayout(controls);

  typewriter_.SetPaperListener([this](std::string_view text) { paper_->Print(text); });

  connect(power, &QPushButton::clicked, this, [this] {
    typewriter_.PressPower();
    Refresh();
    if (typewriter_.State().PowerOn) emit FocusToRun();
  });
  connect(start_, &QPushButton::clicked, this, [this] {
    typewriter_.PressStart();
    Refresh();
    emit FocusToRun();
  });
  connect(digit, &QPushButton::clicked, this, [this] {
    typewriter_.PressComputerDigit();
    Refresh();
    if (typewriter_.State().PowerOn) emit FocusToRun();
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    typewriter_.PressClear(op_);
    paper_->ClearPaper();
    Refresh();
    emit FocusToRun();
  });
  connect(breakpoint_, &QCheckBox::toggled, this,
          [this](bool on) { typewriter_.SetBreakpointStop(on); });
  connect(hide, &QPushButton::clicked, this, [this] { emit HideRequested(); });
  Refresh();
}

TypewriterSection::~TypewriterSection() {
  typewriter_.SetPaperListener(nullptr);
}

void TypewriterSection::Refresh() {
  const TypewriterState& t = typewriter_.State();
  paper_->Flush();
  paper_->SetPaperOut(t.PaperBlack);
  for (int i = 0; i < kTypewriterLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)]->SetColour(
        t.shaOrmprinterLamp[static_cast<std::size_t>(i)]);
  }
  start_->setEnabled(t.StartEnabled);
  if (breakpoint_->isChecked() != t.BreakpointStop) breakpoint_->setChecked(t.BreakpointStop);
  PlaceWarningBar();
}

void TypewriterSection::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceWarningBar();
}

void TypewriterSection::PlaceWarningBar() {
  const TypewriterState& t = typewriter_.State();
  warningBar_->setVisible(t.PaperWarningShown);
  const int full = warningFrame_->height();
  const int h = static_cast<int>(full * t.PaperWarningHeight + 0.5);
  warningBar_->setGeometry(0, full - h, warningFrame_->width(), h);
}

}  // namespace ormlax::app
