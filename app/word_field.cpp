#include "app/word_field.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ormlax::app {
namespace {

// The space QLineEdit keeps between its frame and its text, on each side.
constexpr int kTextMargin = 2;

}  // namespace

QString MachineText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string MachineBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

WordField::WordField(const QFont& font, int characters, QWidget* parent) : QLineEdit(parent) {
  setFont(font);
  const QFontMetrics metrics(font);
  QStyleOptionFrame option;
  initStyleOption(&option);
  const int textWidth = metrics.horizontalAdvance(QString(characters, '0')) + 2 * kTextMargin +
                        style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this) + 1;
  const QSize size = style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                               QSize(textWidth, sizeHint().height()), this);
  setFixedWidth(size.width());
  connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) {
    const std::string before = shown_;  // the receiver may show the result at once
    emit Edited(before, MachineBytes(edited), cursorPosition());
  });
}

void WordField::Show(const std::string& text) {
  shown_ = text;
  const QString t = MachineText(text);
  if (this->text() != t) {
    setText(t);
    end(false);
  }
}

std::string WordField::Bytes() const {
  return MachineBytes(text());
}

void WordField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  end(false);  // rather than selecting everything, as a field entered by Tab would
}

void WordField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit Left();
}

void WordField::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  end(false);  // a drag from here still selects
}

void WordField::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  end(false);
}

}  // namespace ormlax::app
