// The off-line job of the user's guide, in the Ormtyper and the plugboard editor, step by step as
// the guide gives them: for the test that checks the job and for the program that photographs
// the windows. `look` is called when a window is in the state the guide shows, before the click
// that closes it.
#pragma once

#include <QListWidget>
#include <QtTest>
#include <functional>

#include "tests/app/controls.h"

namespace ormlax::app::testing {

using LookAtWindow = std::function<void(QWidget& window)>;

// Three records of a name and a quantity, padded with spaces, then the printer stop; Close File.
inline void TypeTheStockList(QWidget& typer, const LookAtWindow& look) {
  Click(typer, "optPadChar1");  // spaces
  auto* area = Child<QWidget>(typer, "txtData");
  for (const char* item :
       {"BOLTS       000000001200", "NUTS        000000000035", "WASHERS     000000100000"}) {
    QTest::keyClicks(area, item);
    Click(typer, "cmdFill");
  }
  Click(typer, "cmdChar4");  // s: the printer stop
  look(typer);
  Click(typer, "cmdDone");
}

// The name at print positions 1 to 12, the quantity at 21 to 32 without its leading zeros,
// channels 1 and 7 punched at line 1; Done.
inline void WireTheStockBoard(QWidget& editor, const LookAtWindow& look) {
  const auto cell = [&](int row, int column) {
    auto* list = Child<QListWidget>(editor, QString("lstCol%1").arg(column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row - 1)).center());
  };
  const auto field = [&] { return Child<QLineEdit>(editor, "txtInput"); };
  const auto box = [&](const char* name, const char* text) {
    auto* edit = Child<QLineEdit>(editor, name);
    edit->setFocus();
    QTest::keyClicks(edit, text);
  };
  box("txtBoardName", "Stock list");
  cell(1, 1);
  QTest::keyClicks(field(), "1");
  QTest::keyClick(field(), Qt::Key_Return);
  for (int i = 0; i < 11; ++i) QTest::keyClick(field(), Qt::Key_Plus);
  cell(13, 8);
  QTest::keyClicks(field(), "N+");
  QTest::keyClick(field(), Qt::Key_Return);
  cell(13, 1);
  QTest::keyClicks(field(), "21");
  QTest::keyClick(field(), Qt::Key_Return);
  for (int i = 0; i < 11; ++i) QTest::keyClick(field(), Qt::Key_Plus);
  box("txtChannel0", "1");
  box("txtChannel6", "1");
  look(editor);
  Click(editor, "cmdDone");
}

}  // namespace ormlax::app::testing
