#include "app/ormtyper_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/machine_font.h"
#include "app/named_widgets.h"
#include "console/keyboard.h"

namespace ormlax::app {
namespace {

constexpr int kAreaLines = 16;

// What the operator typed or pasted, as the device takes it: each character in its upper-case
// form when that is a machine character, anything else left out.
QString Accepted(const QString& typed) {
  QString accepted;
  for (const QChar c : typed) {
    if (c.unicode() > 0xFF) continue;
    if (const std::optional<char> m = OrmtyperCharacter(static_cast<char>(c.unicode()))) {
      accepted += QChar::fromLatin1(*m);
    }
  }
  return accepted;
}

// The area's text one byte a character, without what a machine character cannot be.
std::string AreaBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    if (c.unicode() <= 0xFF) bytes += static_cast<char>(c.unicode());
  }
  return bytes;
}

// The entry area: Enter makes no line (the device makes them), and a key or a paste enters only
// machine characters, letters in upper case.
class EntryArea : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return;
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.front().isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!typing) {
      QPlainTextEdit::keyPressEvent(event);
      return;
    }
    const QString accepted = Accepted(text);
    if (!accepted.isEmpty()) textCursor().insertText(accepted);
  }
  bool canInsertFromMimeData(const QMimeData* source) const override { return source->hasText(); }
  void insertFromMimeData(const QMimeData* source) override {
    textCursor().insertText(Accepted(source->text()));
  }
};

}  // namespace

OrmtyperDialog::OrmtyperDialog(Ormtyper& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName("frmOrmtyper");
  setWindowTitle(QString::fromUtf8(kOrmtyperCaption));
  setProperty("helpContext", kHelpContext);

  auto* fileName = new QLineEdit(QString::fromStdString(model_.FileName()), this);
  fileName->setObjectName("txtFileName");
  fileName->setReadOnly(true);
  fileName->setFocusPolicy(Qt::ClickFocus);

  const QFont font = MachineFont();
  txtData_ = new EntryArea(this);
  txtData_->setObjectName("txtData");
  txtData_->setFont(font);
  txtData_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtData_->setTabChangesFocus(true);
  txtData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtData_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QFontMetrics metrics(font);
  txtData_->setFixedSize(metrics.horizontalAdvance(QString(16, '0')) +
                             txtData_->verticalScrollBar()->sizeHint().width() +
                             2 * txtData_->frameWidth() +
                             2 * static_cast<int>(txtData_->document()->documentMargin()),
                         metrics.lineSpacing() * kAreaLines + 2 * txtData_->frameWidth() +
                             2 * static_cast<int>(txtData_->document()->documentMargin()));
  connect(txtData_, &QPlainTextEdit::textChanged, this, &OrmtyperDialog::AreaChanged);

  auto* characters = new QGridLayout;
  characters->setSpacing(2);
  for (int k = 0; k < kCharacterButtons; ++k) {
    auto* button = NamedButton(this, qPrintable(QString("cmdChar%1").arg(k)),
                               QString::fromStdString(SpecialCharacterCaption(k)));
    button->setToolTip(QString::fromStdString(SpecialCharacterToolTip(k)));
    button->setFocusPolicy(Qt::NoFocus);  // typing goes on in the area
    button->setFixedWidth(metrics.horizontalAdvance('W') * 3);
    connect(button, &QPushButton::clicked, this, [this, k] {
      model_.InsertSpecialCharacter(k);
      ShowArea();
      txtData_->setFocus();
    });
    characters->addWidget(button, k / 4, k % 4);
  }

  labCount_ = NamedLabel(this, "labCount", "");
  auto* count = new QHBoxLayout;
  count->addWidget(labCount_);
  count->addWidget(NamedLabel(this, "labWords", "words"));
  count->addStretch();

  auto* pad = new QHBoxLayout;
  pad->addWidget(NamedLabel(this, "labPad", "Pad with"));
  const char* const padCaptions[2] = {"zeros", "spaces"};
  for (int i = 0; i < 2; ++i) {
    auto* option = new QRadioButton(padCaptions[i], this);
    option->setObjectName(QString("optPadChar%1").arg(i));
    connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) model_.PadWithZeros = i == 0;
    });
    pad->addWidget(option);
    optPadChar_[static_cast<std::size_t>(i)] = option;
  }
  pad->addStretch();
  optPadChar_[model_.PadWithZeros ? 0 : 1]->setChecked(true);

  auto* fill = NamedButton(this, "cmdFill", "Fill line");
  auto* closeFile = NamedButton(this, "cmdDone", "Close File");
  auto* abort = NamedButton(this, "cmdAbort", "Abort entry");
  connect(fill, &QPushButton::clicked, this, [this] {
    model_.FillLine();
    ShowArea();
    txtData_->setFocus();
  });
  connect(closeFile, &QPushButton::clicked, this, [this] {
    const bool closed = model_.CloseFile();
    ShowArea();
    if (closed) accept();
  });
  connect(abort, &QPushButton::clicked, this, &OrmtyperDialog::reject);

  auto* side = new QVBoxLayout;
  side->addLayout(characters);
  side->addSpacing(8);
  side->addLayout(count);
  side->addLayout(pad);
  side->addStretch();
  side->addWidget(fill);
  side->addWidget(closeFile);
  side->addWidget(abort);

  auto* layout = new QGridLayout(this);
  layout->addWidget(NamedLabel(this, "labInst0", "You are typing data on the following file:"), 0,
                    0, 1, 2);
  layout->addWidget(fileName, 1, 0, 1, 2);
  layout->addWidget(NamedLabel(this, "labInst1", "Enter data to go to file"), 2, 0, 1, 2);
  layout->addWidget(txtData_, 3, 0);
  layout->addLayout(side, 3, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ShowArea();
  txtData_->setFocus();
}

void OrmtyperDialog::ShowArea() {
  showing_ = true;
  const QString shown = QString::fromLatin1(model_.Shown().c_str());
  if (txtData_->toPlainText() != shown) txtData_->setPlainText(shown);
  txtData_->moveCursor(QTextCursor::End);
  txtData_->ensureCursorVisible();
  showing_ = false;
  labCount_->setText(QString::number(model_.Count()));
}

void OrmtyperDialog::AreaChanged() {
  if (showing_) return;
  model_.Edited(AreaBytes(txtData_->toPlainText()));
  ShowArea();
}

void OrmtyperDialog::keyPressEvent(QKeyEvent* event) {
  // Escape would throw away what was typed: only "Abort entry" does that.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void OrmtyperDialog::reject() {
  // "Abort entry" and the window's close control: nothing more is written.
  if (!model_.Closed()) model_.Abort();
  QDialog::reject();
}

}  // namespace ormlax::app
