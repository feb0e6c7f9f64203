// The user's guide built into the program: HTML pages linked to each other by help:name
// addresses, and the page each window's help context number opens.
#pragma once

#include <QString>
#include <QUrl>
#include <vector>

namespace ormlax::app {

inline constexpr char kHelpScheme[] = "help";
inline constexpr char kContentsPageName[] = "contents";

struct HelpPage {
  QString name;   // the page's address is help:name
  QString title;  // also its first heading
  QString html;   // the whole document
  QString guide;  // the page of the user's guide (a file of GuideFolder()) it links to
};

// Every page, the contents page first.
const std::vector<HelpPage>& HelpPages();

// The page a window's help context number opens: its own page, or the contents page for a
// number that has none.
QString HelpPageNameOf(int context);

// The page called `name`, or nullptr.
const HelpPage* FindHelpPage(const QString& name);
// The page called `name`, or the contents page.
const HelpPage& FindHelpPageOrContents(const QString& name);

QUrl HelpPageUrl(const QString& name);

// The user's guide page that tells more about what help page `name` explains, with its title.
struct GuidePage {
  QString file;   // such as "console.md"
  QString title;  // its first heading
};
GuidePage GuidePageOf(const QString& name);

// The pieces the pages are built from; each returns a whole page.
namespace help_text {
HelpPage Page(const QString& name, const QString& title, const QString& body);
HelpPage ContentsPage();
HelpPage StartupPage();
HelpPage ConsolePage(bool modelII);
HelpPage TypewriterPage(bool modelII);
HelpPage RunningPage();
HelpPage KeyboardPage();
HelpPage ServoPage(bool modelII);
HelpPage TapesPage();
HelpPage LabelsPage();
HelpPage FusePage(int reason);
HelpPage MachinePage();
HelpPage InstructionsPage();
HelpPage AssemblerPage();
HelpPage CommandLinePage();
HelpPage OffLinePage();
HelpPage PlugboardEditorPage();
HelpPage OrmtyperPage();
HelpPage OffLineJobPage();
HelpPage DebuggingPage();
HelpPage MemoryPage();
}  // namespace help_text

}  // namespace ormlax::app
