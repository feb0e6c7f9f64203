// The user's guide: the Markdown pages installed with the program, which the help pages link to.
#pragma once

#include <QString>
#include <QUrl>

namespace ormlax::app {

// The folder the guide's pages are in: the installed one (share/doc/ormlax beside the
// program's bin folder) when it holds the guide, else the docs folder of the source tree the
// program was built from.
QString GuideFolder();

// The address of the guide page `file` (such as "console.md") in GuideFolder().
QUrl GuideUrl(const QString& file);

}  // namespace ormlax::app
