#include "app/startup_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "app/help.h"

namespace ormlax::app {
namespace {

// The picture is drawn on a canvas of this size and scaled to the widget.
constexpr double kCanvasWidth = 320;
constexpr double kCanvasHeight = 220;

const char* const kDescription =
    "ORMLAX simulates the ORMLAX I and ORMLAX II, decimal computers of the tape era. Their "
    "memory holds words of twelve characters: a signed eleven-digit number, twelve characters "
    "of text, or two instructions. You work the machine from its supervisory console: type "
    "words into memory and registers, mount tapes on the tape units, run a program or step "
    "through it, and read its results on the console typewriter. The ORMLAX I has 1000 words "
    "of memory and ten tape units, the ORMLAX II 10000 words and sixteen. Choose the machine "
    "to simulate:";

void DrawLamp(QPainter& p, QPointF centre, double radius, QColor colour) {
  QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
  glow.setColorAt(0, colour.lighter(170));
  glow.setColorAt(0.5, colour);
  glow.setColorAt(1, colour.darker(180));
  p.setPen(QPen(QColor(20, 20, 20), 0.6));
  p.setBrush(glow);
  p.drawEllipse(centre, radius, radius);
}

// A reel seen from the front: flange, the wound tape, the hub and its three windows.
void DrawReel(QPainter& p, QPointF centre, double radius, double wound, double turn) {
  QRadialGradient flange(centre, radius);
  flange.setColorAt(0, QColor(200, 205, 212));
  flange.setColorAt(0.9, QColor(150, 156, 165));
  flange.setColorAt(1, QColor(90, 95, 102));
  p.setPen(QPen(QColor(40, 40, 45), 0.8));
  p.setBrush(flange);
  p.drawEllipse(centre, radius, radius);

  const double hub = radius * 0.32;
  const double pack = hub + (radius * 0.92 - hub) * wound;
  QRadialGradient tape(centre, pack);
  tape.setColorAt(0.3, QColor(70, 45, 25));
  tape.setColorAt(1, QColor(115, 75, 40));
  p.setBrush(tape);
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, pack, pack);

  p.setBrush(QColor(225, 228, 232));
  p.setPen(QPen(QColor(60, 60, 65), 0.6));
  p.drawEllipse(centre, hub, hub);
  p.setBrush(QColor(35, 35, 40));
  for (int k = 0; k < 3; ++k) {
    const double a = turn + k * 2.0943951;  // a third of a turn apart
    const QPointF at = centre + QPointF(std::cos(a), std::sin(a)) * hub * 0.55;
    p.drawEllipse(at, hub * 0.22, hub * 0.22);
  }
  p.setBrush(QColor(90, 90, 95));
  p.drawEllipse(centre, hub * 0.16, hub * 0.16);
}

void DrawTapeUnit(QPainter& p, const QRectF& box, double woundLeft, double turn) {
  QLinearGradient body(box.topLeft(), box.topRight());
  body.setColorAt(0, QColor(196, 200, 204));
  body.setColorAt(0.5, QColor(226, 229, 232));
  body.setColorAt(1, QColor(170, 174, 179));
  p.setPen(QPen(QColor(50, 55, 60), 1));
  p.setBrush(body);
  p.drawRoundedRect(box, 3, 3);

  // The glass door with the two reels, the head and the tape between them.
  const QRectF door(box.left() + 5, box.top() + 8, box.width() - 10, box.height() * 0.58);
  p.setBrush(QColor(34, 40, 48));
  p.drawRoundedRect(door, 2, 2);
  const double r = door.width() * 0.36;
  const QPointF upper(door.center().x() + 2, door.top() + r + 3);
  const QPointF lower(door.center().x() + 2, door.bottom() - r - 3);
  const QPointF head(door.left() + 3.5, door.center().y());
  const double woundUpper = woundLeft;
  const double woundLower = 1.0 - woundLeft;
  p.setPen(QPen(QColor(95, 60, 30), 1.2));
  p.drawLine(upper + QPointF(-(r * 0.32 + (r * 0.6) * woundUpper), 0), head);
  p.drawLine(head, lower + QPointF(-(r * 0.32 + (r * 0.6) * woundLower), 0));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 150, 155));
  p.drawRect(QRectF(head.x() - 2, head.y() - 5, 4, 10));
  DrawReel(p, upper, r, woundUpper, turn);
  DrawReel(p, lower, r, woundLower, turn + 0.7);
  // Reflection on the glass.
  QLinearGradient shine(door.topLeft(), door.bottomRight());
  shine.setColorAt(0, QColor(255, 255, 255, 40));
  shine.setColorAt(0.4, QColor(255, 255, 255, 0));
  p.setBrush(shine);
  p.drawRect(door);

  // The unit's lamps and push buttons under the door.
  const double y = door.bottom() + 9;
  DrawLamp(p, {box.left() + 11, y}, 3, QColor(0, 255, 0));
  DrawLamp(p, {box.left() + 21, y}, 3, QColor(255, 255, 0));
  DrawLamp(p, {box.left() + 31, y}, 3, QColor(128, 128, 128));
  p.setPen(QPen(QColor(60, 60, 60), 0.6));
  for (int k = 0; k < 3; ++k) {
    p.setBrush(k == 0 ? QColor(200, 60, 50) : QColor(70, 80, 95));
    p.drawRoundedRect(QRectF(box.left() + 7 + k * 11, y + 8, 8, 5), 1, 1);
  }
  p.setPen(QPen(QColor(150, 154, 160), 0.8));
  for (double v = y + 20; v < box.bottom() - 4; v += 4) {
    p.drawLine(QPointF(box.left() + 6, v), QPointF(box.right() - 6, v));
  }
}

void DrawTypewriter(QPainter& p, const QRectF& body) {
  // The sheet of paper first, so that the platen covers its lower edge.
  const QRectF paper(body.left() + 10, body.top() - 26, body.width() - 20, 30);
  p.setPen(QPen(QColor(120, 120, 120), 0.5));
  p.setBrush(QColor(250, 250, 244));
  p.drawRect(paper);
  p.setPen(QPen(QColor(110, 110, 130), 0.6));
  for (int line = 0; line < 5; ++line) {
    const double y = paper.top() + 4 + line * 4;
    p.drawLine(QPointF(paper.left() + 3, y), QPointF(paper.right() - 3 - (line * 5) % 9, y));
  }
  p.setPen(QPen(QColor(15, 15, 15), 0.8));
  p.setBrush(QColor(70, 72, 76));
  p.drawRoundedRect(QRectF(body.left() + 2, body.top() - 4, body.width() - 4, 6), 2, 2);
  QLinearGradient shell(body.topLeft(), body.bottomLeft());
  shell.setColorAt(0, QColor(70, 74, 80));
  shell.setColorAt(1, QColor(36, 38, 42));
  p.setBrush(shell);
  p.drawRoundedRect(body, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(205, 205, 198));
  for (int row = 0; row < 2; ++row) {
    for (int k = 0; k < 8; ++k) {
      p.drawEllipse(QPointF(body.left() + 6 + row * 2 + k * (body.width() - 12) / 8,
                            body.top() + 8 + row * 4),
                    1.3, 1.3);
    }
  }
}

void DrawConsole(QPainter& p, const QRectF& box) {
  // The sloping lamp panel on the left of the desk, the desk top and the desk's front.
  const double deskTop = box.top() + box.height() * 0.55;
  const double panelRight = box.left() + box.width() * 0.7;
  QPainterPath panel;
  panel.moveTo(box.left() + 8, box.top());
  panel.lineTo(panelRight - 8, box.top());
  panel.lineTo(panelRight, deskTop);
  panel.lineTo(box.left(), deskTop);
  panel.closeSubpath();
  QLinearGradient face(box.topLeft(), QPointF(box.left(), deskTop));
  face.setColorAt(0, QColor(88, 112, 134));
  face.setColorAt(1, QColor(60, 80, 100));
  p.setPen(QPen(QColor(25, 30, 38), 1));
  p.setBrush(face);
  p.drawPath(panel);

  const std::array<QColor, 6> colours = {QColor(255, 0, 0),     QColor(0, 255, 0),
                                         QColor(255, 255, 0),   QColor(0, 255, 255),
                                         QColor(128, 128, 128), QColor(128, 128, 128)};
  const int columns = 8;
  for (int row = 0; row < 4; ++row) {
    const double y = box.top() + 8 + row * 10;
    const double inset = 13 - row * 1.6;
    const double step = (panelRight - box.left() - 2 * inset) / columns;
    for (int c = 0; c < columns; ++c) {
      const QColor colour = colours[static_cast<std::size_t>((row * 7 + c * 3 + c / 3) % 6)];
      DrawLamp(p, {box.left() + inset + step * (c + 0.5), y}, 3.1, colour);
    }
  }
  // A row of toggle switches under the lamps.
  const int switches = 10;
  for (int c = 0; c < switches; ++c) {
    const QPointF base(box.left() + 10 + (c + 0.5) * (panelRight - box.left() - 20) / switches,
                       deskTop - 7);
    p.setPen(QPen(QColor(20, 20, 20), 0.5));
    p.setBrush(QColor(205, 208, 212));
    p.drawEllipse(base, 2.6, 2.6);
    p.setPen(QPen(QColor(235, 235, 235), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base, base + QPointF(0, c % 3 == 0 ? 4.5 : -4.5));
  }

  p.setPen(QPen(QColor(25, 30, 38), 1));
  const QRectF desk(box.left() - 6, deskTop, box.width() + 12, 7);
  QLinearGradient wood(desk.topLeft(), desk.bottomLeft());
  wood.setColorAt(0, QColor(176, 142, 100));
  wood.setColorAt(1, QColor(130, 100, 68));
  p.setBrush(wood);
  p.drawRect(desk);
  const QRectF front(box.left(), deskTop + 7, box.width(), box.bottom() - deskTop - 7);
  QLinearGradient metal(front.topLeft(), front.bottomLeft());
  metal.setColorAt(0, QColor(120, 132, 145));
  metal.setColorAt(1, QColor(80, 90, 102));
  p.setBrush(metal);
  p.drawRect(front);
  p.setPen(QPen(QColor(60, 68, 78), 0.8));
  for (const double x : {front.left() + front.width() / 3, front.left() + front.width() * 2 / 3}) {
    p.drawLine(QPointF(x, front.top()), QPointF(x, front.bottom()));
  }

  DrawTypewriter(p, QRectF(panelRight + 6, deskTop - 17, box.right() - panelRight - 8, 17));
}

}  // namespace

QString StartupCaption() {
  return QString("ORMLAX Simulator, V%1.%2.%3")
      .arg(kVersionMajor)
      .arg(kVersionMinor)
      .arg(kVersionRevision);
}

InstallationPicture::InstallationPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setMinimumSize(sizeHint());
  setToolTip("An ORMLAX installation: the console with its typewriter, and two tape units");
}

void InstallationPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(width() / kCanvasWidth, height() / kCanvasHeight);

  // The machine room: a wall and a floor.
  const double floor = 178;
  QLinearGradient wall(0, 0, 0, floor);
  wall.setColorAt(0, QColor(38, 52, 70));
  wall.setColorAt(1, QColor(78, 96, 116));
  p.fillRect(QRectF(0, 0, kCanvasWidth, floor), wall);
  QLinearGradient ground(0, floor, 0, kCanvasHeight);
  ground.setColorAt(0, QColor(132, 126, 112));
  ground.setColorAt(1, QColor(92, 88, 78));
  p.fillRect(QRectF(0, floor, kCanvasWidth, kCanvasHeight - floor), ground);
  p.setPen(QPen(QColor(110, 104, 92), 0.6));
  for (double x = -120; x < kCanvasWidth + 120; x += 24) {
    p.drawLine(QPointF(x, floor),
               QPointF(kCanvasWidth / 2 + (x - kCanvasWidth / 2) * 1.6, kCanvasHeight));
  }

  // Shadows, then the machines.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawEllipse(QRectF(6, floor - 4, 160, 14));
  p.drawEllipse(QRectF(176, floor - 4, 140, 14));
  DrawConsole(p, QRectF(14, 76, 148, floor - 76));
  DrawTapeUnit(p, QRectF(182, 40, 58, floor - 40), 0.75, 0.3);
  DrawTapeUnit(p, QRectF(250, 40, 58, floor - 40), 0.3, 1.1);
}

StartupWindow::StartupWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(StartupCaption());
  SetHelpContext(this, kStartupHelpContext);

  auto* title = new QLabel("ORMLAX", this);
  title->setObjectName("Label1");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 3);
  big.setBold(true);
  big.setLetterSpacing(QFont::PercentageSpacing, 110);
  title->setFont(big);

  auto* simulator = new QLabel("SIMULATOR", this);
  simulator->setObjectName("Label4");
  QFont spaced = simulator->font();
  spaced.setPointSizeF(spaced.pointSizeF() * 1.4);
  spaced.setLetterSpacing(QFont::PercentageSpacing, 160);
  simulator->setFont(spaced);

  auto* description = new QLabel(kDescription, this);
  description->setObjectName("Label2");
  description->setWordWrap(true);

  auto* picture = new InstallationPicture(this);

  auto* modelI = new QPushButton("ORMLAX I", this);
  modelI->setObjectName("cmdO1");
  auto* modelII = new QPushButton("ORMLAX II", this);
  modelII->setObjectName("cmdO2");
  auto* quit = new QPushButton("Quit", this);
  quit->setObjectName("cmdQuit");
  modelI->setDefault(true);
  connect(modelI, &QPushButton::clicked, this, [this] { Choose(ModelChoice::OrmlaxI); });
  connect(modelII, &QPushButton::clicked, this, [this] { Choose(ModelChoice::OrmlaxII); });
  connect(quit, &QPushButton::clicked, this, [this] { Choose(ModelChoice::Quit); });

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(simulator);
  text->addSpacing(10);
  text->addWidget(description);
  text->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(modelI);
  buttons->addWidget(modelII);
  buttons->addSpacing(16);
  buttons->addWidget(quit);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 12);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  description->setMinimumWidth(picture->sizeHint().width());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void StartupWindow::Choose(ModelChoice choice) {
  choice_ = choice;
  if (choice == ModelChoice::Quit) {
    reject();
  } else {
    accept();
  }
}

}  // namespace ormlax::app
