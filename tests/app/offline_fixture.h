// The off-line windows on a fresh installation of their own, worked as an operator works them:
// the off-line window is opened and driven by its controls' names, and the plugboard editor and
// the Ormtyper it opens are worked by scripts as soon as they are shown.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/offline_dialog.h"
#include "app/ormtyper_dialog.h"
#include "app/plugboard_dialog.h"
#include "installation/installation.h"
#include "tests/app/controls.h"
#include "tests/app/gui_test_operator.h"
#include "tests/support/test_folder.h"

namespace ormlax::app::testing {

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A tape of the records (each padded with spaces to 120 characters), padded with records of
// zeros to whole blocks.
inline std::string TapeBytes(std::vector<std::string> records) {
  while (records.empty() || records.size() % 6 != 0) records.push_back(std::string(120, '0'));
  std::string bytes;
  for (std::string r : records) {
    r.resize(120, ' ');
    bytes += std::string("\x7A\x00", 2) + r + "\r\n";
  }
  return bytes;
}

// The lines of a text file whose lines end with CR LF.
inline QStringList CrLfLines(const std::string& text) {
  QStringList lines = QString::fromLatin1(text.data(), qsizetype(text.size())).split("\r\n");
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

struct OffLineFixture {
  OffLineFixture()
      : folder(ormlax::testing::TestFolder("ormlax_offline_" +
                                           std::string(QTest::currentTestFunction()))),
        ormlax((std::filesystem::remove_all(folder), std::filesystem::create_directories(folder),
                MakeInstallation(true, folder, 7))) {}
  ~OffLineFixture() { std::filesystem::remove_all(folder); }

  // Shows each window it is given and works it by its script; a window still open after the
  // script is closed by its close control.
  DialogRunner Runner() {
    return [this](QDialog& dialog) {
      dialog.show();
      if (!QTest::qWaitForWindowExposed(&dialog)) failures << "a window was never shown";
      if (auto* desk = qobject_cast<OffLineDialog*>(&dialog)) {
        if (deskScript) deskScript(*desk);
      } else if (auto* editor = qobject_cast<PlugboardDialog*>(&dialog)) {
        ++editors;
        if (editorScript) editorScript(*editor);
      } else if (auto* typer = qobject_cast<OrmtyperDialog*>(&dialog)) {
        ++ormtypers;
        if (typerScript) typerScript(*typer);
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
  }

  // The off-line window over the installation, shown and active.
  std::unique_ptr<OffLineDialog> Open(HostPrinter* printer = nullptr) {
    auto dialog = std::make_unique<OffLineDialog>(*ormlax, op, printer, Runner());
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog.get())) failures << "the off-line window is not active";
    return dialog;
  }

  // While a run waits at a breakpoint, waits at its yields until `ready` holds, then does `act`,
  // which should end the wait. After `limit` the paused run is ended instead, and a failure is
  // noted.
  void WhenPaused(std::function<bool()> ready, std::function<void()> act,
                  std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    auto deadline = std::make_shared<QDeadlineTimer>(limit);
    auto done = std::make_shared<bool>(false);
    op.SetIdleAction([this, ready, act, deadline, done] {
      if (*done) {
        // A wait after the act: the run never goes on unless it is ended.
        if (deadline->hasExpired()) {
          failures << "the run waited again after it was let go on";
          ormlax->OffLine.EndPausedRun = true;
        }
        return;
      }
      if (ready()) {
        *done = true;
        act();
      } else if (deadline->hasExpired()) {
        *done = true;
        failures << "the run never came to the state looked for";
        ormlax->OffLine.EndPausedRun = true;
      }
    });
  }

  std::filesystem::path Path(const std::string& name) const { return folder / name; }
  std::string Messages() const {
    QStringList m;
    for (const std::string& text : op.messages) m << QString::fromStdString(text);
    return m.join(" | ").toStdString();
  }

  std::filesystem::path folder;
  GuiTestOperator op;
  std::unique_ptr<Installation> ormlax;
  std::function<void(OffLineDialog&)> deskScript;
  std::function<void(PlugboardDialog&)> editorScript;
  std::function<void(OrmtyperDialog&)> typerScript;
  int editors = 0;
  int ormtypers = 0;
  QStringList failures;
};

}  // namespace ormlax::app::testing
