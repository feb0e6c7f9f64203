#include "app/guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ormlax::app {

QString GuideFolder() {
  if (QCoreApplication::instance() != nullptr) {
    const QString installed = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(ORMLAX_GUIDE_FROM_BIN));
    if (QFileInfo::exists(QDir(installed).filePath("README.md"))) return installed;
  }
  return QString(ORMLAX_SOURCE_GUIDE);
}

QUrl GuideUrl(const QString& file) {
  return QUrl::fromLocalFile(QDir(GuideFolder()).filePath(file));
}

}  // namespace ormlax::app
