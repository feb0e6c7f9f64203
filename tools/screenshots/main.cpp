// ormlax_screenshots: makes the pictures of the user's guide. It builds the program's windows
// on a real installation, works them as the guide's pages do, and saves each window as a PNG
// file. Run it on Qt's offscreen platform (scripts/screenshots.sh does) so that the pictures do
// not depend on the desktop: one screen of a fixed size, the Fusion style and DejaVu fonts.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>
#include <cstdio>
#include <filesystem>

#include "tools/screenshots/scenes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: ormlax_screenshots IMAGES_FOLDER\n", stderr);
    return 2;
  }
  if (!QFontDatabase::families().contains("DejaVu Sans") ||
      !QFontDatabase::families().contains("DejaVu Sans Mono")) {
    std::fputs("ormlax_screenshots: the DejaVu fonts are missing (Debian: fonts-dejavu-core)\n",
               stderr);
    return 2;
  }
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setFont(QFont("DejaVu Sans", 9));

  const std::filesystem::path images = std::filesystem::absolute(argv[1]);
  std::filesystem::create_directories(images);
  // The working folders' names show in some windows, so they are always the same.
  const std::filesystem::path work = std::filesystem::temp_directory_path() / "ormlax-screenshots";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work / "console");
  std::filesystem::create_directories(work / "offline");
  std::filesystem::create_directories(work / "debugging");

  ormlax::screenshots::Camera camera(QString::fromStdString(images.string()));
  ormlax::screenshots::ConsoleScenes(camera, work / "console");
  ormlax::screenshots::OffLineScenes(camera, work / "offline");
  ormlax::screenshots::DebuggingScenes(camera, work / "debugging");
  std::filesystem::remove_all(work);

  for (const QString& path : camera.Saved()) std::printf("%s\n", qPrintable(path));
  for (const QString& failure : camera.Failures()) {
    std::fprintf(stderr, "ormlax_screenshots: %s\n", qPrintable(failure));
  }
  return camera.Failures().isEmpty() ? 0 : 1;
}
