// Context help: F1 in a window opens the help window on that window's page, every window of
// the program has a page of its own, and the pages link to each other.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/assembler_dialog.h"
#include "app/console_window.h"
#include "app/debugging_dialog.h"
#include "app/fuse_dialog.h"
#include "app/guide.h"
#include "app/help.h"
#include "app/help_pages.h"
#include "app/help_window.h"
#include "app/keyboard_dialog.h"
#include "app/labels_dialog.h"
#include "app/memory_window.h"
#include "app/offline_dialog.h"
#include "app/ormtyper_dialog.h"
#include "app/plugboard_dialog.h"
#include "app/servo_dialog.h"
#include "app/startup_window.h"
#include "core/operations.h"
#include "installation/installation.h"
#include "installation/simulator.h"
#include "tape/servo_window.h"
#include "tests/app/modal_watch.h"
#include "tests/support/scripted_operator.h"
#include "tests/support/test_folder.h"

using namespace ormlax::app;

namespace {

// F1 as the user presses it: in the window's focus widget, or in the window itself.
void PressF1(QWidget* widget) {
  QWidget* target = widget->focusWidget() != nullptr ? widget->focusWidget() : widget;
  QTest::keyClick(target, Qt::Key_F1);
}

int HelpWindowCount() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<HelpWindow*>(w) ? 1 : 0;
  return n;
}

// The title of the page the help window shows, or an empty text when it is not open.
QString ShownTitle() {
  HelpWindow* help = FindHelpWindow();
  if (help == nullptr || !help->isVisible()) return {};
  return help->Browser()->documentTitle();
}

// A plain window with a text field in it, carrying `context` unless it is negative.
struct TestWindow {
  explicit TestWindow(int context = -1) {
    if (context >= 0) SetHelpContext(&window, context);
    field = new QLineEdit(&window);
    window.show();
    field->setFocus();
  }
  QWidget window;
  QLineEdit* field;
};

// Clicks the link to `href` in the browser as a user does, with the mouse.
bool ClickLink(QTextBrowser* browser, const QString& href) {
  QTextDocument* doc = browser->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().anchorHref() != href) continue;
      QTextCursor cursor(doc);
      cursor.setPosition(fragment.position() + fragment.length() / 2);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                        browser->cursorRect(cursor).center());
      return true;
    }
  }
  return false;
}

// The help:name links of a page.
QStringList LinksOf(const HelpPage& page) {
  QStringList links;
  static const QRegularExpression href("href=\"([^\"]*)\"");
  for (auto m = href.globalMatch(page.html); m.hasNext();) links << m.next().captured(1);
  return links;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InstallHelpKey(*qApp); }
  void cleanup() { DiscardHelpWindow(); }

  // Every window of the program, as the program builds it, opens a page of its own.
  void EveryWindowOpensItsOwnPage() {
    auto ormlax = ormlax::MakeInstallation(false, QDir::tempPath().toStdString(), 1);
    auto ormlax2 = ormlax::MakeInstallation(true, QDir::tempPath().toStdString(), 1);
    ormlax::testing::ScriptedOperator op;
    ormlax::Simulator sim(*ormlax, op);
    ormlax::Simulator sim2(*ormlax2, op);
    ormlax::ServoWindow servos(ormlax->Servos, op, ormlax->WorkingFolder, false);
    ormlax::ServoWindow servos2(ormlax2->Servos, op, ormlax2->WorkingFolder, true);
    // The off-line window writes the standard boards into its folder: one of its own.
    const std::filesystem::path offLineFolder = ormlax::testing::TestFolder("ormlax_help_offline");
    std::filesystem::create_directories(offLineFolder);
    auto offLine = ormlax::MakeInstallation(false, offLineFolder, 1);
    ormlax::PlugboardEditor editor(offLine->Board, offLineFolder, op);
    ormlax::Ormtyper typer(op);
    struct Case {
      int context;
      QString title;
      std::function<std::unique_ptr<QWidget>()> make;
    };
    const Case cases[] = {
        {1000, "Starting ORMLAX: choosing the model",
         [] { return std::make_unique<StartupWindow>(); }},
        {4000, "The ORMLAX I console",
         [&] { return std::make_unique<ConsoleWindow>(*ormlax, sim); }},
        {4010, "The ORMLAX II console",
         [&] { return std::make_unique<ConsoleWindow>(*ormlax2, sim2); }},
        {4100, "Console Keyboard Input", [] { return std::make_unique<KeyboardDialog>(true); }},
        {5000, "Servo Control on the ORMLAX I",
         [&] { return std::make_unique<ServoDialog>(servos, false); }},
        {5010, "Servo Control on the ORMLAX II",
         [&] { return std::make_unique<ServoDialog>(servos2, true); }},
        {5100, "Labels on mounted tapes",
         [&] { return std::make_unique<LabelsDialog>(ormlax->Servos, false); }},
        {6000, "The assembler", [&] { return std::make_unique<AssemblerDialog>(*ormlax, op); }},
        {7000, "A fuse has blown", [] { return std::make_unique<FuseDialog>(1); }},
        {7001, "Hardware error", [] { return std::make_unique<FuseDialog>(2); }},
        {8000, "ORMLAX Off-line Functions",
         [&] { return std::make_unique<OffLineDialog>(*offLine, op, nullptr); }},
        {8100, "Create a HSP Plugboard", [&] { return std::make_unique<PlugboardDialog>(editor); }},
        {5200, "Ormtyper (Data entry device)",
         [&] { return std::make_unique<OrmtyperDialog>(typer); }},
        {9000, "The debugging desk",
         [&] { return std::make_unique<DebuggingDialog>(*ormlax, sim); }},
        {9100, "The memory window", [&] { return std::make_unique<MemoryWindow>(*ormlax2); }},
    };
    QSet<QString> pages;
    for (const Case& c : cases) {
      const std::unique_ptr<QWidget> window = c.make();
      window->show();
      QCOMPARE(HelpContextOf(window.get()), c.context);
      PressF1(window.get());
      QCOMPARE(ShownTitle(), c.title);
      pages.insert(FindHelpWindow()->PageName());
    }
    QCOMPARE(pages.size(), qsizetype(std::size(cases)));
    QVERIFY(!pages.contains(kContentsPageName));
    std::filesystem::remove_all(offLineFolder);
  }

  // The typewriter section raises the console's number by 20 while it is shown.
  void ConsoleWithTypewriterOpensTheTypewriterPage() {
    const struct {
      bool modelII;
      QString console;
      QString typewriter;
    } cases[] = {
        {false, "The ORMLAX I console", "The ORMLAX I console: the typewriter section"},
        {true, "The ORMLAX II console", "The ORMLAX II console: the typewriter section"},
    };
    for (const auto& c : cases) {
      auto ormlax = ormlax::MakeInstallation(c.modelII, QDir::tempPath().toStdString(), 1);
      ormlax::testing::ScriptedOperator op;
      ormlax::Simulator sim(*ormlax, op);
      ConsoleWindow console(*ormlax, sim);
      console.show();
      QTest::mouseClick(console.findChild<QPushButton*>("cmdOrmprinter"), Qt::LeftButton);
      QTest::keyClick(console.findChild<QPushButton*>("cmdRun"), Qt::Key_F1);
      QCOMPARE(ShownTitle(), c.typewriter);
      QCOMPARE(FindHelpWindow()->PageName(), HelpPageNameOf(c.modelII ? 4030 : 4020));
      QTest::mouseClick(console.findChild<QPushButton*>("cmdHide"), Qt::LeftButton);
      PressF1(&console);
      QCOMPARE(ShownTitle(), c.console);
    }
  }

  void NumbersWithoutAPageShowTheContents() {
    for (const int context : {0, 1, -1, 999, 4001, 4040, 6001, 7002, 99999}) {
      ShowHelpPage(context);
      QCOMPARE(FindHelpWindow()->PageName(), QString(kContentsPageName));
      QCOMPARE(ShownTitle(), QString("ORMLAX Help"));
      ShowHelpPage(4100);  // away from the contents before the next number
    }
  }

  void F1TakesTheNumberOfTheWindowItIsPressedIn() {
    TestWindow numbered(5100);
    // A widget deep inside the window takes the window's number.
    auto* inner = new QWidget(numbered.field);
    QCOMPARE(HelpContextOf(inner), 5100);
    // A child widget's own number goes before the window's.
    SetHelpContext(numbered.field, 7001);
    QCOMPARE(HelpContextOf(inner), 7001);
    // A window without a number shows the contents even when its parent window has one: the
    // search stops at the window.
    QDialog dialog(&numbered.window);
    QLineEdit dialogField(&dialog);
    dialog.show();
    QCOMPARE(HelpContextOf(&dialogField), kHelpContents);
    QTest::keyClick(&dialogField, Qt::Key_F1);
    QCOMPARE(FindHelpWindow()->PageName(), QString(kContentsPageName));

    // A number set straight on the property works as well as one set with SetHelpContext.
    TestWindow plain;
    plain.window.setProperty("helpContext", 4010);
    QTest::keyClick(plain.field, Qt::Key_F1);
    QCOMPARE(ShownTitle(), QString("The ORMLAX II console"));
    // Keys other than F1 and F1 with a modifier are left to the window.
    DiscardHelpWindow();
    QTest::keyClick(plain.field, Qt::Key_F2);
    QTest::keyClick(plain.field, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(FindHelpWindow() == nullptr);
    QTest::keyClick(plain.field, Qt::Key_A);
    QCOMPARE(plain.field->text(), QString("a"));
  }

  // One help window, raised again with the new page by every F1, also after it was closed.
  void TheHelpWindowIsReused() {
    TestWindow first(4000);
    TestWindow second(5010);
    QTest::keyClick(first.field, Qt::Key_F1);
    HelpWindow* help = FindHelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->objectName(), QString("frmHelp"));
    QCOMPARE(help->windowTitle(), QString("ORMLAX Help"));
    QTest::keyClick(second.field, Qt::Key_F1);
    QCOMPARE(FindHelpWindow(), help);
    QCOMPARE(ShownTitle(), QString("Servo Control on the ORMLAX II"));
    help->close();
    QVERIFY(!help->isVisible());
    QTest::keyClick(first.field, Qt::Key_F1);
    QCOMPARE(FindHelpWindow(), help);
    QCOMPARE(ShownTitle(), QString("The ORMLAX I console"));
    QCOMPARE(HelpWindowCount(), 1);
  }

  // Above a modal window the help window is modal too, so that it can be used; afterwards it
  // is an ordinary window again.
  void HelpOverAModalWindowCanBeUsed() {
    QDialog dialog;
    SetHelpContext(&dialog, 4100);
    QLineEdit field(&dialog);
    bool checked = false;
    auto watch = ormlax::app::testing::WhenModal<QDialog>([&](QDialog&) {
      QTest::keyClick(&field, Qt::Key_F1);
      HelpWindow* help = FindHelpWindow();
      checked =
          help != nullptr && help->isVisible() && help->windowModality() == Qt::ApplicationModal &&
          QApplication::activeModalWidget() == help && ShownTitle() == "Console Keyboard Input";
      help->close();
      dialog.accept();
    });
    dialog.exec();
    QVERIFY2(watch->Worked(), qPrintable(watch->Failure()));
    QVERIFY(checked);
    TestWindow plain(1000);
    QTest::keyClick(plain.field, Qt::Key_F1);
    QCOMPARE(FindHelpWindow()->windowModality(), Qt::NonModal);
    QVERIFY(FindHelpWindow()->isVisible());
  }

  // However large the text, the help window opens with the whole of it, frame and title bar
  // included, on the screen of the window F1 is pressed in.
  void TheHelpWindowOpensInsideTheScreen() {
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPixelSize(30);
    QApplication::setFont(large);
    TestWindow numbered(4000);
    numbered.window.move(numbered.window.screen()->availableGeometry().topRight() -
                         QPoint(numbered.window.width() / 2, 0));
    QTest::keyClick(numbered.field, Qt::Key_F1);
    HelpWindow* help = FindHelpWindow();
    QApplication::setFont(original);
    QVERIFY(help != nullptr);
    const QRect screen = help->screen()->availableGeometry();
    const QRect frame = help->frameGeometry();
    const QString where = QString("%1,%2 %3x%4 on %5x%6")
                              .arg(frame.x())
                              .arg(frame.y())
                              .arg(frame.width())
                              .arg(frame.height())
                              .arg(screen.width())
                              .arg(screen.height());
    QVERIFY2(screen.contains(frame), qPrintable(where));
    // With room for a window manager's title bar, which this platform does not draw.
    QVERIFY2(frame.height() + 40 <= screen.height(), qPrintable(where));
  }

  // Every link names a page, every page is reached from the contents, and every page has the
  // way back to the contents.
  void LinksLeadToPages() {
    QSet<QString> reached{kContentsPageName};
    QStringList queue{kContentsPageName};
    while (!queue.isEmpty()) {
      const HelpPage* page = FindHelpPage(queue.takeFirst());
      QVERIFY(page != nullptr);
      for (const QString& link : LinksOf(*page)) {
        if (QUrl(link) == GuideUrl(page->guide)) continue;  // out to the user's guide
        QVERIFY2(link.startsWith("help:"), qPrintable(page->name + ": " + link));
        const QString target = QUrl(link).path();
        QVERIFY2(FindHelpPage(target) != nullptr, qPrintable(page->name + ": " + link));
        if (!reached.contains(target)) {
          reached.insert(target);
          queue << target;
        }
      }
      if (page->name != kContentsPageName) {
        QVERIFY2(LinksOf(*page).contains("help:contents"), qPrintable(page->name));
      }
    }
    QCOMPARE(reached.size(), qsizetype(HelpPages().size()));
  }

  void ClickingALinkOpensItsPage() {
    HelpWindow* help = ShowHelpPage(kHelpContents);
    QTextBrowser* browser = help->Browser();
    QVERIFY(ClickLink(browser, "help:instructions"));
    QCOMPARE(help->PageName(), QString("instructions"));
    QCOMPARE(browser->documentTitle(), QString("The instruction set"));
    // The page really is the instruction table, not an empty document: one row for each entry of
    // the machine's table of operations.
    for (const ormlax::Operation& o : ormlax::Operations()) {
      QVERIFY2(browser->toPlainText().contains(QString::fromUtf8(o.description)), o.name);
    }
    QVERIFY(ClickLink(browser, "help:fuse-memory"));
    QCOMPARE(browser->documentTitle(), QString("A fuse has blown"));

    auto* back = help->findChild<QPushButton*>("cmdBack");
    auto* forward = help->findChild<QPushButton*>("cmdForward");
    auto* contents = help->findChild<QPushButton*>("cmdContents");
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(help->PageName(), QString("instructions"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(help->PageName(), QString(kContentsPageName));
    QVERIFY(!back->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(help->PageName(), QString("instructions"));
    QTest::mouseClick(contents, Qt::LeftButton);
    QCOMPARE(browser->documentTitle(), QString("ORMLAX Help"));
  }

  // Every page ends with a link to its page of the user's guide, and the link opens that page in
  // the help window, as Markdown, under the title the help page gives it.
  void EveryPageLinksToItsGuidePage() {
    HelpWindow* help = ShowHelpPage(kHelpContents);
    QTextBrowser* browser = help->Browser();
    for (const HelpPage& page : HelpPages()) {
      const QUrl url = GuideUrl(page.guide);
      QFile file(url.toLocalFile());
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page.name + ": " + url.toLocalFile()));
      const QString heading = QString::fromUtf8(file.readLine()).trimmed();
      QCOMPARE(heading, "# " + GuidePageOf(page.name).title);
      QVERIFY2(page.html.contains(url.toLocalFile().toHtmlEscaped()), qPrintable(page.name));

      help->ShowPage(page.name);
      QVERIFY2(ClickLink(browser, url.toString(QUrl::FullyEncoded)), qPrintable(page.name));
      QCOMPARE(browser->source(), url);
      // Rendered, not shown as text: the heading has lost its mark.
      QVERIFY2(browser->toPlainText().startsWith(GuidePageOf(page.name).title),
               qPrintable(browser->toPlainText().left(80)));
      QTest::mouseClick(help->findChild<QPushButton*>("cmdBack"), Qt::LeftButton);
      QCOMPARE(help->PageName(), page.name);
    }
  }

  // The guide installed beside the program's bin folder goes before the source tree's.
  void TheInstalledGuideIsPreferred() {
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/ormlax/docs");
    QDir(QCoreApplication::applicationDirPath() + "/../share").removeRecursively();
    QCOMPARE(GuideFolder(), QString(ORMLAX_SOURCE_GUIDE));
    QVERIFY(QDir().mkpath(installed));
    QFile readme(installed + "/README.md");
    QVERIFY(readme.open(QIODevice::WriteOnly));
    readme.close();
    const QString found = GuideFolder();
    const QUrl url = GuideUrl("tapes.md");
    QDir(QCoreApplication::applicationDirPath() + "/../share").removeRecursively();
    QCOMPARE(found, installed);
    QCOMPARE(url, QUrl::fromLocalFile(installed + "/tapes.md"));
  }

  // The guide's instruction table has a row for each entry of the machine's table of operations,
  // as the help page has.
  void TheGuideListsEveryInstruction() {
    QFile file(QString(ORMLAX_SOURCE_GUIDE) + "/assembler.md");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString guide = QString::fromUtf8(file.readAll()).simplified();
    for (const ormlax::Operation& o : ormlax::Operations()) {
      const QString row = QString("| `%1` | %2 | %3 |")
                              .arg(QChar::fromLatin1(o.op), QString::fromUtf8(o.name),
                                   QString::fromStdString(ormlax::ModifiersText(o)));
      QVERIFY2(guide.contains(row.simplified()), qPrintable(row));
      const QString effect = QString::fromUtf8(o.description).replace("|", "\\|");
      QVERIFY2(guide.contains(" | " + effect + " |"), qPrintable(effect));
    }
  }

  // The character code page shows the machine's own table of 64 characters.
  void TheCharacterTableIsTheMachines() {
    const HelpPage* page = FindHelpPage("machine");
    QVERIFY(page != nullptr);
    QTextDocument doc;
    doc.setHtml(page->html);
    const QString text = doc.toPlainText();
    for (const char* row : {"i\nsp\n-\n0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n'\n&\n(",
                            "r\n,\n.\n;\nA\nB\nC\nD\nE\nF\nG\nH\nI\n#\nc\n@",
                            "t\n\"\n|\n)\nJ\nK\nL\nM\nN\nO\nP\nQ\nR\n$\n*\n?",
                            "s\nb\n:\n+\n/\nS\nT\nU\nV\nW\nX\nY\nZ\n%\n=\nn"}) {
      QVERIFY2(text.contains(row), row);
    }
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
