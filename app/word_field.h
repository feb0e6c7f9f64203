// A console field that holds machine characters, one character a byte: a word field, or the
// Location and rCC fields. Whenever it gets the focus or is clicked its caret goes to the end,
// where new characters enter.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <string>

namespace ormlax::app {

class WordField : public QLineEdit {
  Q_OBJECT

 public:
  // A field `characters` wide in `font`.
  WordField(const QFont& font, int characters, QWidget* parent = nullptr);

  // Shows `text`, the caret at its end; the operator's next edit is told apart from it.
  void Show(const std::string& text);
  // What the field shows, one byte a character.
  std::string Bytes() const;

 signals:
  // The operator changed the field from `shown` to `edited`; the caret stands at `caret`.
  void Edited(const std::string& shown, const std::string& edited, int caret);
  // The field lost the focus.
  void Left();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::string shown_;
};

// A Qt text for machine characters and back: one character a byte.
QString MachineText(const std::string& bytes);
std::string MachineBytes(const QString& text);

}  // namespace ormlax::app
