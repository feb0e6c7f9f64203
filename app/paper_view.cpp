#include "app/paper_view.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "core/operator.h"

namespace ormlax::app {
namespace {

bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

QPalette PaperPalette(const QPalette& base, bool out) {
  QPalette p = base;
  const QColor paper = out ? QColor(0, 0, 0) : QColor(255, 255, 255);
  const QColor ink = out ? QColor(215, 215, 215) : QColor(0, 0, 0);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, paper);
    p.setColor(group, QPalette::Text, ink);
  }
  return p;
}

}  // namespace

PaperView::PaperView(const QFont& font, QWidget* parent) : QPlainTextEdit(parent) {
  setFont(font);
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setMaximumBlockCount(kLinesKept);
  // The view breaks long lines itself, at Columns(); the widget's own wrapping only catches a
  // character drawn wider than the others.
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAnywhere);
  // A scroll bar that comes and goes would change the width the lines are broken at.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setPalette(PaperPalette(palette(), false));

  paperOutLabel_ = new QLabel("Paper out", this);
  paperOutLabel_->setObjectName("labNoPaper");
  paperOutLabel_->setAlignment(Qt::AlignCenter);
  paperOutLabel_->setStyleSheet(
      "QLabel { background-color: rgb(255, 0, 0); color: white; font-weight: bold;"
      " padding: 2px 8px; }");
  paperOutLabel_->hide();
}

void PaperView::Print(std::string_view text) {
  pending_.append(text);
  if (pending_.size() <= 2 * kPendingKept) return;
  // More than the view can hold: only the end of it will be seen.
  std::size_t cut = pending_.size() - kPendingKept;
  while (cut < pending_.size() && IsUtf8Continuation(pending_[cut])) ++cut;
  pending_.erase(0, cut);
  pendingCut_ = true;
}

int PaperView::Columns() const {
  const qreal advance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
  const qreal width = viewport()->width() - 2 * document()->documentMargin() - 1;
  return qMax(1, static_cast<int>(width / advance));
}

void PaperView::Flush() {
  if (pending_.empty() || !isVisible()) return;
  const QString printed = QString::fromUtf8(ReplaceLineBreaks(pending_, "\n"));
  pending_.clear();
  if (pendingCut_) {
    clear();
    column_ = 0;
    pendingCut_ = false;
  }
  const int columns = Columns();
  QString lines;
  lines.reserve(printed.size() + printed.size() / columns + 1);
  for (const QChar c : printed) {
    if (c == QLatin1Char('\n')) {
      lines += c;
      column_ = 0;
      continue;
    }
    if (column_ == columns) {
      lines += QLatin1Char('\n');
      column_ = 0;
    }
    lines += c;
    ++column_;
  }
  // Of a text longer than the view keeps, only its last lines are put in.
  qsizetype from = lines.size();
  for (int n = 0; n < kLinesKept && from > 0; ++n) {
    from = lines.lastIndexOf(QLatin1Char('\n'), from - 1);
    if (from < 0) break;
  }
  if (from > 0) {
    clear();
    lines.remove(0, from + 1);
  }
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(lines);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void PaperView::ClearPaper() {
  clear();
  pending_.clear();
  pendingCut_ = false;
  column_ = 0;
}

void PaperView::SetPaperOut(bool out) {
  if (out == paperOut_) return;
  paperOut_ = out;
  setPalette(PaperPalette(palette(), out));
  paperOutLabel_->setVisible(out);
  PlacePaperOutLabel();
}

void PaperView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  PlacePaperOutLabel();
}

void PaperView::PlacePaperOutLabel() {
  paperOutLabel_->adjustSize();
  const QRect area = viewport()->geometry();
  paperOutLabel_->move(area.right() - paperOutLabel_->width() - 6, area.top() + 6);
  paperOutLabel_->raise();
}

}  // namespace ormlax::app
