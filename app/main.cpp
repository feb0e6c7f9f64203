// ormlax: the desktop simulator of the ORMLAX I and ORMLAX II.
#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/console_window.h"
#include "app/help.h"
#include "app/qt_operator.h"
#include "app/startup_window.h"
#include "installation/installation.h"
#include "installation/program_version.h"
#include "installation/simulator.h"
#include "installation/standard_streams.h"

namespace {

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: ormlax [--model I|II] [--dir DIR]\n"
    "       ormlax --version | --help\n"
    "  --model I|II  simulate this model; the start-up window is not shown\n"
    "  --dir DIR     the folder tape files and the memory dump are taken from and written to\n"
    "                (default: the current folder)\n"
    "  --version     show the program's version\n"
    "  --help        show this text\n";

struct Options {
  std::optional<bool> modelII;
  QString dir;
};

// Reads the program's own arguments (Qt has taken out its own); returns what is wrong with
// them, or an empty text.
QString ParseArguments(const QStringList& args, Options& options) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a != "--model" && a != "--dir") return "unknown argument " + a;
    if (i + 1 >= args.size()) return a + " needs a value";
    const QString& value = args[++i];
    if (a == "--model") {
      if (value != "I" && value != "II") return "--model must be I or II, not " + value;
      options.modelII = value == "II";
    } else {
      if (value.isEmpty()) return "--dir needs a folder";
      options.dir = value;
    }
  }
  return {};
}

// The working folder: DIR as an absolute path, or the current folder. Returns what is wrong
// with it, or an empty text.
QString WorkingFolder(const QString& dir, std::filesystem::path& folder) {
  std::error_code error;
  folder = std::filesystem::absolute(
      dir.isEmpty() ? std::filesystem::path(".") : std::filesystem::path(dir.toStdString()), error);
  if (error) return "cannot use the folder " + dir;
  folder = folder.lexically_normal();
  const QFileInfo info(QString::fromStdString(folder.string()));
  if (!info.exists()) return "the folder " + info.filePath() + " does not exist";
  if (!info.isDir()) return info.filePath() + " is not a folder";
  if (!info.isReadable() || !info.isExecutable()) {
    return "the folder " + info.filePath() + " cannot be read";
  }
  return {};
}

int Fail(const QString& message) {
  std::fprintf(stderr, "ormlax: %s\n%s", qPrintable(message), kUsage);
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  ormlax::HoldStandardStreams();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ormlax %s\n", ormlax::kProgramVersion);
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("ormlax");
  QApplication::setApplicationVersion(ormlax::kProgramVersion);
  // Matches the window to the menu entry ormlax.desktop where the desktop goes by that name.
  QGuiApplication::setDesktopFileName("ormlax");

  Options options;
  if (const QString error = ParseArguments(QApplication::arguments().mid(1), options);
      !error.isEmpty()) {
    return Fail(error);
  }
  std::filesystem::path folder;
  if (const QString error = WorkingFolder(options.dir, folder); !error.isEmpty()) {
    return Fail(error);
  }

  ormlax::app::InstallHelpKey(app);

  bool modelII = options.modelII.value_or(false);
  if (!options.modelII) {
    ormlax::app::StartupWindow startup;
    startup.exec();
    if (startup.Choice() == ormlax::app::ModelChoice::Quit) return 0;
    modelII = startup.Choice() == ormlax::app::ModelChoice::OrmlaxII;
  }

  auto ormlax = ormlax::MakeInstallation(modelII, folder);
  ormlax::app::QtOperator op;
  ormlax::Simulator sim(*ormlax, op);
  ormlax::app::ConsoleWindow console(*ormlax, sim);
  op.Attach(&console);
  console.show();
  return app.exec();
}
