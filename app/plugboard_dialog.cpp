#include "app/plugboard_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/machine_font.h"
#include "app/named_widgets.h"

namespace ormlax::app {
namespace {

struct ColumnTexts {
  const char* heading;
  const char* headingTip;
  const char* listTip;
};

const ColumnTexts kColumnTexts[PlugboardDialog::kColumns] = {
    {"Tape", "The character position in the blockette from tape", "Character position from tape"},
    {"Norm", "The normal print position for this character", "Normal print positions"},
    {"ML1", "Print position for this character on ML1", "ML1 print positions"},
    {"ML2", "Print position for this character on ML2", "ML2 print positions"},
    {"ML3", "Print position for this character on ML3", "ML3 print positions"},
    {"ML4", "Print position for this character on ML4", "ML4 print positions"},
    {"ML5", "Print position for this character on ML5", "ML5 print positions"},
    {"ML6", "Print position for this character on ML6", "ML6 print positions"},
    {"ZP", "Zero suppression", "Left Zero Suppress"},
};

const char* const kChannelTips[kChannels] = {
    "Line numbers for Form Feed 1",
    "Line numbers for Form Feed 2",
    "Line numbers for Form Feed 3",
    "Line numbers for Form Feed 4",
    "Line numbers for start of automatic skip",
    "Line numbers for end of automatic skip",
    "Line number for top of page (usually, 1)",
};

QString Text(const std::string& text) {
  return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string Bytes(const QString& text) {
  return text.toLatin1().toStdString();
}

QLineEdit* Box(QWidget* parent, const char* name, const char* tip, int characters) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setToolTip(tip);
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(characters, 'x')));
  return box;
}

// The editor's key for a key pressed in the entry field; nothing for a key it leaves alone.
std::optional<EditorKey> NavigationKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return EditorKey::Enter;
    case Qt::Key_Backspace:
      return EditorKey::Backspace;
    case Qt::Key_Up:
      return EditorKey::Up;
    case Qt::Key_Down:
      return EditorKey::Down;
    case Qt::Key_Left:
      return EditorKey::Left;
    case Qt::Key_Right:
      return EditorKey::Right;
    case Qt::Key_Home:
      return EditorKey::Home;
    case Qt::Key_End:
      return EditorKey::End;
    case Qt::Key_PageUp:
      return EditorKey::PageUp;
    case Qt::Key_PageDown:
      return EditorKey::PageDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

PlugboardDialog::PlugboardDialog(PlugboardEditor& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName("frmPlugboard");
  setWindowTitle(QString::fromUtf8(editor_text::kCaption));
  setProperty("helpContext", kHelpContext);

  cmdDone_ = NamedButton(this, "cmdDone", "Done", "Click to exit plugboard setup");
  auto* abort =
      NamedButton(this, "cmdAbort", "Cancel", "Click to exit plugboard setup with no changes");
  connect(cmdDone_, &QPushButton::clicked, this, [this] {
    model_.Done();
    Repaint();
  });
  connect(abort, &QPushButton::clicked, this, [this] {
    model_.Cancel();
    Repaint();
  });

  auto* middle = new QHBoxLayout;
  middle->addWidget(BuildColumns(), 0, Qt::AlignTop);
  middle->addSpacing(12);
  middle->addWidget(BuildChannels(), 0, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdDone_);
  buttons->addWidget(abort);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildTop());
  layout->addLayout(middle);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The entry field lies over the columns, outside every layout.
  txtInput_ = new QLineEdit(this);
  txtInput_->setObjectName("txtInput");
  txtInput_->setToolTip("Enter column number");
  txtInput_->setFont(MachineFont());
  txtInput_->setFrame(false);
  txtInput_->setContextMenuPolicy(Qt::NoContextMenu);  // what it takes comes from the keys
  txtInput_->setAcceptDrops(false);
  txtInput_->setAttribute(Qt::WA_InputMethodEnabled, false);
  QPalette field = txtInput_->palette();
  field.setColor(QPalette::Base, QColor(255, 255, 192));
  txtInput_->setPalette(field);
  txtInput_->installEventFilter(this);
  txtInput_->hide();
  Repaint();
}

QWidget* PlugboardDialog::BuildTop() {
  auto* top = new QWidget(this);
  auto* grid = new QGridLayout(top);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* nameLabel = new QLabel("Plugboard name", top);
  nameLabel->setObjectName("Label1");
  txtBoardName_ = Box(top, "txtBoardName", "User name associated with this plugboard", 40);
  connect(txtBoardName_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.BoardName = Bytes(text); });
  auto* lengthLabel = new QLabel("Form length, in lines (6 lines to an inch)", top);
  lengthLabel->setObjectName("labPaperLength");
  txtPaperLength_ =
      Box(top, "txtPaperLength", "Number of lines that print on one page of the form", 6);
  connect(txtPaperLength_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetFormLength(Bytes(text)); });
  cmdModify_ = NamedButton(top, "cmdModify", "Use an existing plugboard",
                           "Click to modify an existing plugboard");
  txtModify_ = Box(top, "txtModify", "Enter plugboard number to modify", 6);
  QSizePolicy keep = txtModify_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  txtModify_->setSizePolicy(keep);
  txtModify_->installEventFilter(this);
  connect(txtModify_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.Modify = Bytes(text); });
  connect(cmdModify_, &QPushButton::clicked, this, [this] {
    model_.OfferModify();
    Repaint();
    txtModify_->setFocus();
  });
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(txtBoardName_, 0, 1, 1, 3);
  grid->addWidget(lengthLabel, 1, 0);
  grid->addWidget(txtPaperLength_, 1, 1);
  grid->addWidget(cmdModify_, 1, 2, Qt::AlignRight);
  grid->addWidget(txtModify_, 1, 3);
  grid->setColumnStretch(2, 1);
  return top;
}

QWidget* PlugboardDialog::BuildColumns() {
  auto* columns = new QWidget(this);
  auto* grid = new QGridLayout(columns);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  const QFont font = MachineFont();
  const int cellWidth = QFontMetrics(font).horizontalAdvance(QString(4, '0')) + 12;
  int listHeight = 0;
  for (int k = 0; k < kColumns; ++k) {
    auto* heading = new QLabel(kColumnTexts[k].heading, columns);
    heading->setObjectName(QString("labCol%1").arg(k));
    heading->setToolTip(kColumnTexts[k].headingTip);
    heading->setAlignment(Qt::AlignCenter);
    auto* frame = new QFrame(columns);
    frame->setObjectName(QString("fraCol%1").arg(k));
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->setContentsMargins(0, 0, 0, 0);
    auto* list = new QListWidget(frame);
    list->setObjectName(QString("lstCol%1").arg(k));
    list->setToolTip(kColumnTexts[k].listTip);
    list->setFont(font);
    list->setUniformItemSizes(true);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 1; row <= PlugboardEditor::kRows; ++row) {
      list->addItem(k == 0 ? QString("%1").arg(row, 3, 10, QChar('0')) : QString());
    }
    listHeight = list->sizeHintForRow(0) * PlugboardEditor::kVisibleRows + 2 * list->frameWidth();
    list->setFixedHeight(listHeight);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemClicked, this, [this, list, k](QListWidgetItem* item) {
      model_.ClickCell(list->row(item) + 1, k);
      Repaint();
    });
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
      if (painting_) return;
      model_.Scroll(top);
      Repaint();
    });
    inFrame->addWidget(list);
    lstCol_[static_cast<std::size_t>(k)] = list;

    QPushButton* clear =
        k == 0 ? NamedButton(columns, "cmdClrAll", "All", "Clear all entries in all columns")
               : NamedButton(columns, qPrintable(QString("cmdClr%1").arg(k)), "Clr",
                             "Clear all entries in this column");
    connect(clear, &QPushButton::clicked, this, [this, k] {
      if (k == 0) {
        model_.ClearAll();
      } else {
        model_.ClearColumn(k);
      }
      Repaint();
    });
    const int width = std::max(cellWidth, clear->sizeHint().width());
    list->setFixedWidth(width);
    clear->setFixedWidth(width);
    grid->addWidget(heading, 0, k);
    grid->addWidget(frame, 1, k);
    grid->addWidget(clear, 2, k);
  }
  vsbCol_ = new QScrollBar(Qt::Vertical, columns);
  vsbCol_->setObjectName("vsbCol");
  vsbCol_->setRange(0, PlugboardEditor::kLastTopRow);
  vsbCol_->setPageStep(PlugboardEditor::kVisibleRows);
  vsbCol_->setFixedHeight(listHeight);
  connect(vsbCol_, &QScrollBar::valueChanged, this, [this](int top) {
    if (painting_) return;
    model_.Scroll(top);
    Repaint();
  });
  grid->addWidget(vsbCol_, 1, kColumns);
  return columns;
}

QWidget* PlugboardDialog::BuildChannels() {
  auto* channels = new QWidget(this);
  auto* layout = new QGridLayout(channels);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(2);
  auto* heading = new QLabel("Carriage Control Tape", channels);
  heading->setObjectName("labTape");
  layout->addWidget(heading, 0, 0, 1, 2);
  // Two columns of channels, as high as the wiring columns beside them.
  constexpr int kChannelRows = 4;
  for (int k = 0; k < kChannels; ++k) {
    auto* frame = new QGroupBox(QString("Channel %1").arg(k + 1), channels);
    frame->setObjectName(QString("fraCha%1").arg(k));
    frame->setToolTip(kChannelTips[k]);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->setContentsMargins(6, 2, 6, 4);
    QLineEdit* box = Box(frame, qPrintable(QString("txtChannel%1").arg(k)), kChannelTips[k], 18);
    connect(box, &QLineEdit::textEdited, this,
            [this, k](const QString& text) { model_.SetChannel(k, Bytes(text)); });
    inFrame->addWidget(box);
    layout->addWidget(frame, 1 + k % kChannelRows, k / kChannelRows);
    txtChannel_[static_cast<std::size_t>(k)] = box;
  }
  return channels;
}

void PlugboardDialog::Repaint() {
  painting_ = true;
  const auto show = [](QLineEdit* box, const std::string& text) {
    if (Bytes(box->text()) != text) box->setText(Text(text));
  };
  show(txtBoardName_, model_.BoardName);
  show(txtPaperLength_, model_.FormLength);
  show(txtModify_, model_.Modify);
  for (int k = 0; k < kChannels; ++k) {
    show(txtChannel_[static_cast<std::size_t>(k)], model_.Channels[static_cast<std::size_t>(k)]);
  }
  cmdModify_->setVisible(model_.ModifyOffered);
  txtModify_->setVisible(model_.ModifyShown);

  for (int k = 0; k < kColumns; ++k) {
    QListWidget* list = lstCol_[static_cast<std::size_t>(k)];
    if (k > 0) {
      for (int row = 1; row <= PlugboardEditor::kRows; ++row) {
        QListWidgetItem* item = list->item(row - 1);
        const QString text = Text(model_.Cell(row, k));
        if (item->text() != text) item->setText(text);
      }
    }
    list->clearSelection();
    if (k == 0 && model_.HighlightRow > 0) {
      list->setCurrentRow(model_.HighlightRow - 1, QItemSelectionModel::ClearAndSelect);
    }
    list->verticalScrollBar()->setValue(model_.TopRow);
  }
  vsbCol_->setValue(model_.TopRow);
  PlaceField();
  if (model_.FocusOnDone) {
    model_.FocusOnDone = false;
    cmdDone_->setFocus();
  }
  painting_ = false;
  if (model_.Closed) done(model_.Saved ? QDialog::Accepted : QDialog::Rejected);
}

void PlugboardDialog::PlaceField() {
  if (!model_.FieldOpen || !model_.InView(model_.CurrentRow)) {
    if (txtInput_->hasFocus()) cmdDone_->setFocus();
    txtInput_->hide();
    return;
  }
  QListWidget* list = lstCol_[static_cast<std::size_t>(model_.CurrentColumn)];
  const QRect cell = list->visualItemRect(list->item(model_.CurrentRow - 1));
  txtInput_->setGeometry(QRect(list->viewport()->mapTo(this, cell.topLeft()), cell.size()));
  txtInput_->setText(Text(model_.FieldText));
  if (model_.FieldSelected) {
    txtInput_->selectAll();
  } else {
    txtInput_->end(false);
  }
  txtInput_->show();
  txtInput_->raise();
  txtInput_->setFocus();
}

bool PlugboardDialog::FieldKey(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) return false;
  if (const std::optional<EditorKey> named = NavigationKey(key)) {
    model_.FieldKey(*named);
  } else if (!event->text().isEmpty() && event->text().front().unicode() <= 0xFF) {
    model_.FieldKey(EditorKey::Character, static_cast<char>(event->text().front().unicode()));
  } else if (!event->text().isEmpty()) {
    model_.FieldKey(EditorKey::Character, '\x7F');  // no key of the editor's
  } else {
    return true;  // a modifier alone
  }
  Repaint();
  return true;
}

bool PlugboardDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtInput_ && event->type() == QEvent::KeyPress) {
    if (FieldKey(static_cast<QKeyEvent*>(event))) return true;
  }
  if (watched == txtModify_ && txtModify_->isVisible()) {
    const bool enter = event->type() == QEvent::KeyPress &&
                       (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (enter || event->type() == QEvent::MouseButtonRelease) {
      model_.Modify = Bytes(txtModify_->text());
      model_.LoadForModification();
      Repaint();
      if (enter) return true;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    for (int k = 0; k < kColumns; ++k) {
      QListWidget* list = lstCol_[static_cast<std::size_t>(k)];
      if (watched != list) continue;
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Left && key != Qt::Key_Right) break;
      model_.ListArrow(std::max(list->currentRow(), 0) + 1, k, key == Qt::Key_Right);
      Repaint();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PlugboardDialog::keyPressEvent(QKeyEvent* event) {
  // Escape would throw away a whole board's wiring: only "Cancel" does that.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PlugboardDialog::reject() {
  model_.Cancel();
  QDialog::reject();
}

void PlugboardDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Repaint();
}

}  // namespace ormlax::app
