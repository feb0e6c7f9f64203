// The typewriter's paper as the console shows it: the end of what was printed, with long lines
// wrapped at the paper's width (in the view only: the typewriter's columns are its own). The
// paper is white while there is paper, and black once it has run out, with the text still
// readable and "Paper out" across it. However much is printed, and however long its lines, the
// view holds a bounded amount of text and shows it at a bounded cost.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

class QLabel;

namespace ormlax::app {

class PaperView : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Lines of the view kept; older ones scroll away for good.
  static constexpr int kLinesKept = 500;
  // Bytes of printed text kept between two refreshes; more than the view can hold.
  static constexpr std::size_t kPendingKept = std::size_t{128} << 10;

  PaperView(const QFont& font, QWidget* parent = nullptr);

  // Text printed on the paper (UTF-8, lines ending in CR LF), shown at the next Flush.
  void Print(std::string_view text);
  // Shows what was printed since the last flush, and scrolls to the end of the paper.
  void Flush();
  // The paper taken out: the view is emptied.
  void ClearPaper();
  void SetPaperOut(bool out);
  // The characters a line of the view holds.
  int Columns() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlacePaperOutLabel();

  std::string pending_;      // printed, not yet shown
  bool pendingCut_ = false;  // the front of pending_ was dropped: the view starts afresh
  int column_ = 0;           // characters on the view's last line
  bool paperOut_ = false;
  QLabel* paperOutLabel_;
};

}  // namespace ormlax::app
