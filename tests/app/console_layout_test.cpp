// The console's size and layout on a 1366 x 768 screen at 96 DPI: the window fits with its title
// bar and a taskbar in both heights, nothing is cut off, the panel is the same in both heights,
// no band of the window is left empty, the fixed-size windows are fixed, and the fields that
// show machine characters use a font in which every one of them has the same width.
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QtTest>
#include <algorithm>
#include <map>

#include "app/debugging_dialog.h"
#include "app/fuse_dialog.h"
#include "app/keyboard_dialog.h"
#include "app/labels_dialog.h"
#include "app/memory_window.h"
#include "app/offline_dialog.h"
#include "app/ormtyper_dialog.h"
#include "app/plugboard_dialog.h"
#include "app/servo_dialog.h"
#include "app/word_field.h"
#include "console/typewriter_tables.h"
#include "core/character_code.h"
#include "tests/app/console_fixture.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::app {
namespace {

using testing::ClickButton;
using testing::Console;

// The largest window, frame and title bar included, for a 1366 x 768 screen with a taskbar.
constexpr int kMaxWidth = 1340;
constexpr int kMaxHeight = 700;
// What a window manager adds, at least, where this platform draws no frame of its own.
constexpr int kTitleBar = 40;
constexpr int kBorder = 4;
// The widest strip of a window that may hold no frame: the margins around and between them.
constexpr int kMaxGap = 12;

int Twips(int twips) {
  return twips * 96 / 1440;
}

QString Describe(const QWidget* w) {
  return QString("%1 (%2) %3,%4 %5x%6")
      .arg(w->objectName(), w->metaObject()->className())
      .arg(w->x())
      .arg(w->y())
      .arg(w->width())
      .arg(w->height());
}

// The smallest size a layout gives `w`: what its contents need, unless it was given a size.
QSize SmallestSize(const QWidget* w) {
  const QSize hint = w->sizeHint();
  const QSize needed = w->minimumSizeHint();
  const QSizePolicy policy = w->sizePolicy();
  QSize s(0, 0);
  if (policy.horizontalPolicy() != QSizePolicy::Ignored) {
    s.setWidth(policy.horizontalPolicy() & QSizePolicy::ShrinkFlag
                   ? needed.width()
                   : qMax(hint.width(), needed.width()));
  }
  if (policy.verticalPolicy() != QSizePolicy::Ignored) {
    s.setHeight(policy.verticalPolicy() & QSizePolicy::ShrinkFlag
                    ? needed.height()
                    : qMax(hint.height(), needed.height()));
  }
  s = s.boundedTo(w->maximumSize());
  if (w->minimumWidth() > 0) s.setWidth(w->minimumWidth());
  if (w->minimumHeight() > 0) s.setHeight(w->minimumHeight());
  return s;
}

// Every visible widget lies inside its parent and has at least the size its contents need.
QStringList Clipped(const QWidget* window) {
  QStringList clipped;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->isWindow()) continue;
    const QWidget* parent = w->parentWidget();
    // The viewport of a scroll area may show part of what it holds: that is what it is for.
    if (qobject_cast<const QAbstractScrollArea*>(parent) != nullptr) continue;
    if (parent->objectName() == "qt_scrollarea_viewport") continue;
    if (!parent->rect().contains(w->geometry())) {
      clipped << Describe(w) + " outside " + Describe(parent);
      continue;
    }
    const QSize needed = SmallestSize(w);
    if (w->width() < needed.width() || w->height() < needed.height()) {
      clipped << Describe(w) + QString(" needs %1x%2").arg(needed.width()).arg(needed.height());
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
      if (b->fontMetrics().horizontalAdvance(b->text()) > b->width()) {
        clipped << Describe(w) + " caption";
      }
    }
    if (const auto* f = qobject_cast<const WordField*>(w)) {
      // A whole word (or location, or instruction) of machine characters, inside the frame.
      const int characters = f->objectName() == "txtLoc" || f->objectName() == "txtCC" ? 4
                             : f->objectName() == "txtSR"                              ? 6
                                                                                       : 12;
      const int frame = f->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, f);
      if (QFontMetrics(f->font()).horizontalAdvance(QString(characters, '0')) + 2 * frame + 4 >
          f->width()) {
        clipped << Describe(w) + " text";
      }
    }
  }
  return clipped;
}

// Places of the window farther than kMaxGap from every titled frame: empty bands.
QStringList EmptyBands(const QWidget* window) {
  std::vector<QRect> frames;
  for (const QGroupBox* g : window->findChildren<QGroupBox*>()) {
    if (g->isVisibleTo(window)) frames.emplace_back(g->mapTo(window, QPoint(0, 0)), g->size());
  }
  QStringList bands;
  for (int y = 0; y < window->height(); y += 4) {
    for (int x = 0; x < window->width(); x += 4) {
      const bool nearAFrame = std::any_of(frames.begin(), frames.end(), [&](const QRect& r) {
        return r.adjusted(-kMaxGap, -kMaxGap, kMaxGap, kMaxGap).contains(x, y);
      });
      if (!nearAFrame && bands.size() < 5) bands << QString("%1,%2").arg(x).arg(y);
    }
  }
  return bands;
}

// Where every control of the panel stands, relative to the panel.
std::map<QString, QRect> PanelGeometry(QWidget* panel) {
  std::map<QString, QRect> places;
  for (const QWidget* w : panel->findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || !w->isVisibleTo(panel)) continue;
    places[w->objectName()] = QRect(w->mapTo(panel, QPoint(0, 0)), w->size());
  }
  places["fraPanel"] = panel->geometry();
  return places;
}

// The characters a machine field shows: the 64 of the code and all the typewriter prints.
QString MachineCharactersOfTheLibrary() {
  QString chars = QString::fromLatin1(CharacterTable.data(), qsizetype(CharacterTable.size()));
  for (const TypewriterTable* t : {&UnshiftedTable, &ShiftedTable, &ComputerDigitTable}) {
    for (const std::string_view e : *t) chars += QString::fromUtf8(e.data(), qsizetype(e.size()));
  }
  return chars + QString::fromUtf8("\u00a2");
}

// The characters whose width in `font` differs from that of "0".
QString UnevenCharacters(const QFont& font) {
  const QFontMetricsF m(font);
  const qreal width = m.horizontalAdvance(QLatin1Char('0'));
  QString uneven;
  for (const QChar c : MachineCharactersOfTheLibrary()) {
    if (qAbs(m.horizontalAdvance(c) - width) > 0.01 && !uneven.contains(c)) uneven += c;
  }
  return uneven;
}

class ConsoleLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->logicalDotsPerInchY(), 96.0);
    QCOMPARE(screen->availableGeometry().size(), QSize(1366, 768));
  }

  void theConsoleFitsTheScreen_data() {
    QTest::addColumn<bool>("modelII");
    QTest::addColumn<bool>("typewriter");
    QTest::newRow("ORMLAX I") << false << false;
    QTest::newRow("ORMLAX I, typewriter shown") << false << true;
    QTest::newRow("ORMLAX II") << true << false;
    QTest::newRow("ORMLAX II, typewriter shown") << true << true;
  }
  void theConsoleFitsTheScreen() {
    QFETCH(bool, modelII);
    QFETCH(bool, typewriter);
    Console c(modelII);
    if (typewriter) c.Click("cmdOrmprinter");
    QCoreApplication::processEvents();
    const QRect frame = c.window.frameGeometry();
    const QRect inside = c.window.geometry();
    const int top = std::max(inside.top() - frame.top(), kTitleBar);
    const int side = std::max(inside.left() - frame.left(), kBorder);
    const int bottom = std::max(frame.bottom() - inside.bottom(), kBorder);
    const QString size = QString("%1 x %2").arg(inside.width()).arg(inside.height());
    QVERIFY2(inside.width() + 2 * side <= kMaxWidth, qPrintable(size));
    QVERIFY2(inside.height() + top + bottom <= kMaxHeight, qPrintable(size));
    // The heights of the machine's drawings, or more where the panel needs it.
    QVERIFY2(inside.height() >= Twips(typewriter ? 8400 : 6400), qPrintable(size));
    QCOMPARE(inside.height(), typewriter ? c.window.ShownHeight() : c.window.HiddenHeight());

    const QStringList clipped = Clipped(&c.window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
    const QStringList bands = EmptyBands(c.window.centralWidget());
    QVERIFY2(bands.isEmpty(), qPrintable("nothing near " + bands.join(", ")));
  }

  // Showing the typewriter section adds it below the panel and changes nothing on the panel.
  void thePanelIsTheSameInBothHeights() {
    for (const bool modelII : {false, true}) {
      Console c(modelII);
      auto* panel = c.Find<QWidget>("fraPanel");
      QCoreApplication::processEvents();
      const auto hidden = PanelGeometry(panel);
      c.Click("cmdOrmprinter");
      QCoreApplication::processEvents();
      const auto shown = PanelGeometry(panel);
      for (const auto& [name, place] : hidden) {
        QVERIFY2(shown.count(name) == 1, qPrintable(name));
        QVERIFY2(shown.at(name) == place, qPrintable(name));
      }
      c.Click("cmdHide");
      QCoreApplication::processEvents();
      QVERIFY(PanelGeometry(panel) == hidden);
    }
  }

  // The windows that have nothing to stretch cannot be resized, and cut nothing off.
  void windowsWithNothingToStretchHaveFixedSizes() {
    ormlax::testing::ScriptedOperator op;
    ServoUnits servos;
    ServoWindow model(servos, op, ".", true);
    std::string none;
    model.Open(none);
    ServoDialog servo(model, true);
    LabelsDialog labels(servos, true);
    KeyboardDialog keyboard(true);
    FuseDialog fuse(1);
    for (QDialog* d : std::initializer_list<QDialog*>{&servo, &labels, &keyboard, &fuse}) {
      d->show();
      QVERIFY(QTest::qWaitForWindowExposed(d));
      QCOMPARE(d->minimumSize(), d->maximumSize());
      QCOMPARE(d->size(), d->minimumSize());
      const QStringList clipped = Clipped(d);
      QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
      d->hide();
    }
  }

  // The off-line windows have fixed sizes, cut nothing off and fit the screen with a frame and a
  // title bar: the off-line window with its list of boards shown, the plugboard editor with its
  // box for a board number, the Ormtyper. Their machine fields advance evenly.
  void theOffLineWindowsFitTheScreen() {
    const std::filesystem::path folder = ormlax::testing::TestFolder("ormlax_layout_offline");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ormlax::testing::ScriptedOperator op;
    auto ormlax = MakeInstallation(true, folder, 1);
    OffLineDialog desk(*ormlax, op, nullptr);
    desk.show();
    QTest::mouseClick(desk.findChild<QPushButton*>("cmdOutput7"), Qt::LeftButton);
    QVERIFY(desk.findChild<QWidget*>("lstPlugboard")->isVisible());
    const QSize closed = desk.size();
    PlugboardEditor model(ormlax->Board, folder, op);
    model.Open();
    model.OfferModify();
    PlugboardDialog editor(model);
    Ormtyper typer(op);
    QVERIFY(typer.Open(folder / "t.tap", OrmtyperTarget::Overwritable, true));
    OrmtyperDialog ormtyper(typer);
    for (QDialog* d : std::initializer_list<QDialog*>{&desk, &editor, &ormtyper}) {
      d->show();
      QVERIFY(QTest::qWaitForWindowExposed(d));
      QCoreApplication::processEvents();
      const QString size = d->objectName() + QString(" %1 x %2").arg(d->width()).arg(d->height());
      QCOMPARE(d->minimumSize(), d->maximumSize());
      QCOMPARE(d->size(), d->minimumSize());
      QVERIFY2(d->width() + 2 * kBorder <= kMaxWidth, qPrintable(size));
      QVERIFY2(d->height() + kTitleBar + kBorder <= kMaxHeight, qPrintable(size));
      const QStringList clipped = Clipped(d);
      QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
    }
    // The list of boards takes no room of its own when it shows.
    QTest::mouseClick(desk.findChild<QPushButton*>("cmdOutput7"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(desk.size(), closed);

    QList<const QWidget*> fields = {editor.findChild<QLineEdit*>("txtInput"),
                                    ormtyper.findChild<QWidget*>("txtData")};
    for (int k = 0; k < PlugboardDialog::kColumns; ++k) {
      fields << editor.findChild<QListWidget*>(QString("lstCol%1").arg(k));
    }
    for (const QWidget* w : fields) {
      QVERIFY(w != nullptr);
      QVERIFY2(UnevenCharacters(w->font()).isEmpty(),
               qPrintable(w->objectName() + ": " + UnevenCharacters(w->font())));
    }
    typer.Abort();
    std::filesystem::remove_all(folder);
  }

  // The debugging desk and its memory window, on the ORMLAX II (the wider addresses), open at a
  // size that fits the screen with a frame and a title bar, cut nothing off, and leave the
  // console's run controls in view.
  void theDebuggingWindowsFitTheScreen() {
    Console c(true);
    c.Click("chkProgDebug");
    c.Click("cmdDebug");
    auto* desk = c.window.findChild<DebuggingDialog*>("frmDebugging");
    QVERIFY(desk != nullptr);
    ClickButton(desk->findChild<QPushButton*>("cmdMemoryWindow"));
    QVERIFY(desk->Memory() != nullptr);
    for (QDialog* d : std::initializer_list<QDialog*>{desk, desk->Memory()}) {
      QVERIFY(QTest::qWaitForWindowExposed(d));
      QCoreApplication::processEvents();
      const QString size = d->objectName() + QString(" %1 x %2").arg(d->width()).arg(d->height());
      QVERIFY2(d->width() + 2 * kBorder <= kMaxWidth, qPrintable(size));
      QVERIFY2(d->height() + kTitleBar + kBorder <= kMaxHeight, qPrintable(size));
      const QStringList clipped = Clipped(d);
      QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
    }
    // They open side by side in the bottom corners, leaving the run controls in view.
    const QRect run(c.Find("cmdRun")->mapToGlobal(QPoint()), c.Find("cmdRun")->size());
    const QRect step(c.Find("cmdSingleStep")->mapToGlobal(QPoint()),
                     c.Find("cmdSingleStep")->size());
    for (const QDialog* d : std::initializer_list<const QDialog*>{desk, desk->Memory()}) {
      QVERIFY2(!d->frameGeometry().intersects(run) && !d->frameGeometry().intersects(step),
               qPrintable(d->objectName() + " covers the run controls"));
    }
    QVERIFY(!desk->frameGeometry().intersects(desk->Memory()->frameGeometry()));
  }

  // Every field that shows machine characters draws all of them with one advance width,
  // whatever fonts this host has.
  void machineFieldsAdvanceEvenly() {
    Console c(true);
    QStringList fields = {"txtLoc", "txtCC", "txtSR", "txtPaper"};
    for (int i = 0; i < 6; ++i) fields << QString("txtVal%1").arg(i);
    for (const QString& name : fields) {
      const QFont font = c.Find<QWidget>(name)->font();
      QVERIFY2(
          UnevenCharacters(font).isEmpty(),
          qPrintable(name + " in " + QFontInfo(font).family() + ": " + UnevenCharacters(font)));
    }
    KeyboardDialog keyboard(false);
    ServoUnits servos;
    LabelsDialog labels(servos, false);
    for (const QWidget* w : {static_cast<QWidget*>(keyboard.findChild<QLineEdit*>("txtInput")),
                             static_cast<QWidget*>(labels.findChild<QListWidget*>("lstLabel"))}) {
      QVERIFY2(UnevenCharacters(w->font()).isEmpty(),
               qPrintable(w->objectName() + ": " + UnevenCharacters(w->font())));
    }
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::ConsoleLayoutTest)
#include "console_layout_test.moc"
