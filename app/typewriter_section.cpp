#include "app/typewriter_section.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/lamp_shape.h"

namespace ormlax::app {
namespace {

// Lines the paper widget keeps; older lines scroll away for good.
constexpr int kPaperLinesShown = 5000;

QPushButton* Key(QWidget* parent, const char* name, const char* caption, const char* tip = "") {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  if (*tip) b->setToolTip(tip);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

TypewriterSection::TypewriterSection(Typewriter& typewriter, Operator& op, QWidget* parent)
    : QFrame(parent), typewriter_(typewriter), op_(op) {
  setObjectName("fraOrmprinter");
  setFrameShape(QFrame::StyledPanel);

  paper_ = new QPlainTextEdit(this);
  paper_->setObjectName("txtPaper");
  paper_->setToolTip("This is the paper in the Ormprinter");
  paper_->setReadOnly(true);
  paper_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  paper_->setMaximumBlockCount(kPaperLinesShown);
  paper_->setLineWrapMode(QPlainTextEdit::NoWrap);

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

  const char* lampLabels[kTypewriterLampCount] = {nullptr, "Stop code", "Illegal character",
                                                  "Power", "CD"};
  const char* lampLabelNames[kTypewriterLampCount] = {nullptr, "labStop", "labIllegal", "labPower",
                                                      "labCompDigit"};
  auto* keys = new QGridLayout;
  keys->setSpacing(4);
  for (int i = 0; i < kTypewriterLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)] = new LampShape(this);
    lamps_[static_cast<std::size_t>(i)]->setObjectName(QString("shaOrmprinterLamp%1").arg(i));
  }
  keys->addWidget(lamps_[kPrinterBreakpointLamp], 0, 0);
  keys->addWidget(breakpoint_, 0, 1);
  for (int i = kPrinterStopLamp; i < kTypewriterLampCount; ++i) {
    keys->addWidget(lamps_[static_cast<std::size_t>(i)], i, 0);
    auto* label = new QLabel(lampLabels[i], this);
    label->setObjectName(lampLabelNames[i]);
    keys->addWidget(label, i, 1);
  }
  auto* buttons = new QGridLayout;
  buttons->addWidget(power, 0, 0);
  buttons->addWidget(start_, 0, 1);
  buttons->addWidget(digit, 1, 0);
  buttons->addWidget(clear, 1, 1);
  buttons->addWidget(hide, 2, 0, 1, 2);

  auto* controls = new QVBoxLayout;
  controls->addLayout(keys);
  controls->addLayout(buttons);
  controls->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(paper_, 1);
  layout->addWidget(warningFrame_);
  layout->addLayout(controls);

  typewriter_.SetPaperListener([this](std::string_view text) {
    QString piece = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    piece.replace("\r\n", "\n");
    pending_ += piece;
  });

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
    Refresh();  // the clipboard takes everything printed so far
    typewriter_.PressClear(op_);
    pending_.clear();
    paper_->clear();
    Refresh();
    emit FocusToRun();
  });
  connect(breakpoint_, &QCheckBox::toggled, this,
          [this](bool on) { typewriter_.SetBreakpointStop(on); });
  connect(hide, &QPushButton::clicked, this, [this] { emit HideRequested(); });
  Refresh();
}

void TypewriterSection::Refresh() {
  const TypewriterState& t = typewriter_.State();
  if (!pending_.isEmpty()) {
    paper_->moveCursor(QTextCursor::End);
    paper_->insertPlainText(pending_);
    pending_.clear();
    paper_->verticalScrollBar()->setValue(paper_->verticalScrollBar()->maximum());
  }
  const char* paperStyle = t.PaperBlack ? "QPlainTextEdit { background: black; color: black; }"
                                        : "QPlainTextEdit { background: white; color: black; }";
  if (paper_->styleSheet() != paperStyle) paper_->setStyleSheet(paperStyle);
  for (int i = 0; i < kTypewriterLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)]->SetColour(
        t.shaOrmprinterLamp[static_cast<std::size_t>(i)]);
  }
  start_->setEnabled(t.StartEnabled);
  if (breakpoint_->isChecked() != t.BreakpointStop) breakpoint_->setChecked(t.BreakpointStop);
  PlaceWarningBar();
}

void TypewriterSection::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
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
