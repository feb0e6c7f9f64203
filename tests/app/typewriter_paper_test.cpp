// The typewriter's paper on the console: readable when it has run out, long lines wrapped in the
// view alone, and a program that prints endlessly without a line end still shows the end of
// what it printed.
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "app/paper_view.h"
#include "tests/app/console_fixture.h"

namespace ormlax::app {
namespace {

using testing::Console;

// The paper's text without the breaks the view put in.
QString PaperText(const QPlainTextEdit* paper) {
  QString text;
  for (QTextBlock b = paper->document()->firstBlock(); b.isValid(); b = b.next()) {
    text += b.text();
  }
  return text;
}

// The share of the paper's pixels that are light (above half brightness).
double LightShare(QWidget* paper) {
  const QImage image = paper->grab().toImage();
  int light = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) light += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
  }
  return double(light) / (image.width() * image.height());
}

// A console with the typewriter shown and switched on.
struct Typing : Console {
  Typing() : Console(false) {
    Click("cmdOrmprinter");
    Click("cmdUPPwrOn");
  }
  void Print(const std::string& word) {
    sim.Ormprinter().PrintWord(Word::FromText(word));
    window.RefreshFromState();
  }
  QPlainTextEdit* Paper() { return Find<QPlainTextEdit>("txtPaper"); }
};

class TypewriterPaperTest : public QObject {
  Q_OBJECT

 private slots:
  // Black paper keeps what was printed readable, in light ink, and says that it has run out.
  void runOutPaperKeepsItsTextReadable() {
    Typing c;
    c.ormlax->Ormprinter.State().PaperLeft = 2;
    auto* paper = c.Paper();
    auto* paperOut = c.Find<QLabel>("labNoPaper");
    c.Print("WWWWWWWWWWWr");
    QVERIFY(!paperOut->isVisible());
    const double whitePaper = LightShare(paper->viewport());
    c.Print("MMMMMMMMMMMr");  // the last line: the paper runs out
    QVERIFY(c.ormlax->Ormprinter.State().PaperBlack);
    QCOMPARE(paper->toPlainText(), QString("wwwwwwwwwww\nmmmmmmmmmmm\n"));
    const double blackPaper = LightShare(paper->viewport());
    // White paper with dark ink, then black paper with light ink: some of it, not none.
    QVERIFY2(whitePaper > 0.9, qPrintable(QString::number(whitePaper)));
    QVERIFY2(blackPaper > 0.001 && blackPaper < 0.5, qPrintable(QString::number(blackPaper)));
    QVERIFY(paperOut->isVisible());
    QCOMPARE(paperOut->text(), QString("Paper out"));
    QVERIFY(QRect(QPoint(0, 0), paper->size()).contains(paperOut->geometry()));

    // A new roll: white again, and "Paper out" goes.
    c.Click("cmdUPClear");
    c.window.RefreshFromState();
    QVERIFY(!paperOut->isVisible());
    QVERIFY(LightShare(paper->viewport()) > 0.99);
  }

  // However many lines are printed, the last of them stands at the bottom of the paper.
  void theLastLineIsAtTheBottom() {
    Typing c;
    c.ormlax->Ormprinter.State().PaperLeft = 1000;
    auto* paper = c.Paper();
    for (int lines : {3, 40, 700}) {
      for (int i = 0; i < lines; ++i)
        c.Print(QString("%1r").arg(i, 11, 10, QChar('0')).toStdString());
      QTextCursor end(paper->document());
      end.movePosition(QTextCursor::End);
      const QRect caret = paper->cursorRect(end);
      const int height = paper->viewport()->height();
      const int line = QFontMetrics(paper->font()).lineSpacing();
      const QString where =
          QString("%1 lines: the end at %2 of %3").arg(lines).arg(caret.bottom()).arg(height);
      QVERIFY2(caret.bottom() <= height, qPrintable(where));
      if (lines > 10) QVERIFY2(caret.bottom() > height - 2 * line, qPrintable(where));
    }
  }

  // A line longer than the paper is wide is broken in the view only: the typewriter's own line
  // and column go on, and every line of the view fits its width.
  void longLinesWrapInTheViewOnly() {
    Typing c;
    std::string printed;
    for (int i = 0; i < 30; ++i) {
      const std::string word = QString("%1").arg(i, 12, 10, QChar('0')).toStdString();
      c.Print(word);
      printed += word;
    }
    const TypewriterState& t = c.ormlax->Ormprinter.State();
    QCOMPARE(t.Column, 360);
    QCOMPARE(t.Paper, printed);
    auto* paper = c.Paper();
    QCOMPARE(PaperText(paper), QString::fromStdString(printed));
    QVERIFY(paper->document()->blockCount() > 2);
    const QFontMetricsF metrics(paper->font());
    const qreal width = paper->viewport()->width() - 2 * paper->document()->documentMargin();
    for (QTextBlock b = paper->document()->firstBlock(); b.isValid(); b = b.next()) {
      QVERIFY2(metrics.horizontalAdvance(b.text()) <= width, qPrintable(b.text()));
      QCOMPARE(b.layout()->lineCount(), 1);  // no second break inside a line of the view
    }
    QVERIFY(paper->horizontalScrollBar()->maximum() == 0);
  }

  // Ten million characters without a line end: the view stays small and shows the last of them.
  void anEndlessLineShowsItsEnd() {
    Typing c;
    // 0: add 1 to the counter at 10; 1: print it and go back to 0.
    c.StoreWords("0", {"A00011H00010", "500010U00000"});
    c.StoreWords("10", {"000000000000", "000000000001"});
    c.Click("cmdClearPC");
    constexpr std::uint64_t kCharacters = 10'000'000;
    constexpr std::uint64_t kWords = 2 * (kCharacters / 12 + 1);
    c.AtTheConsoleWhen([&] { return c.sim.Cpu().WordsExecuted() >= kWords; },
                       [&] { c.Click("cmdStop"); }, std::chrono::minutes(2));
    c.Click("cmdRun");
    QVERIFY2(c.failure.isEmpty(), qPrintable(c.failure));
    QVERIFY(std::stoull(c.ormlax->Machine.Memory[10].Text()) * 12 >= kCharacters);
    const std::string& paper = c.ormlax->Ormprinter.State().Paper;
    QVERIFY(paper.find('\r') == std::string::npos);
    auto* view = c.Paper();
    const QString shown = PaperText(view);
    QVERIFY(!shown.isEmpty());
    QVERIFY(view->document()->blockCount() <= PaperView::kLinesKept);
    auto* paperView = qobject_cast<PaperView*>(view);
    QVERIFY(shown.size() <= qsizetype(PaperView::kLinesKept) * paperView->Columns());
    // The end of the paper, the counter's last value among it.
    const QString end = QString::fromStdString(paper.substr(paper.size() - 1200));
    QVERIFY2(shown.endsWith(end), qPrintable(shown.right(60) + " / " + end.right(60)));
    QVERIFY(shown.endsWith(QString::fromStdString(c.ormlax->Machine.Memory[10].Text())));
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
  }
};

}  // namespace
}  // namespace ormlax::app

QTEST_MAIN(ormlax::app::TypewriterPaperTest)
#include "typewriter_paper_test.moc"
