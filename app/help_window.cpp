#include "app/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_pages.h"
#include "app/window_placement.h"

namespace ormlax::app {
namespace {

constexpr char kWindowName[] = "frmHelp";

// A browser whose documents are the built-in pages: a link help:name loads page `name`.
class PageBrowser : public QTextBrowser {
 public:
  explicit PageBrowser(QWidget* parent) : QTextBrowser(parent) {}

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() != kHelpScheme) return QTextBrowser::loadResource(type, name);
    return FindHelpPageOrContents(name.path()).html;
  }

 protected:
  // The built-in pages are HTML; the user's guide, which they link to, is Markdown.
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override {
    if (name.scheme() == kHelpScheme) {
      type = QTextDocument::HtmlResource;
    } else if (name.isLocalFile() && name.path().endsWith(".md")) {
      type = QTextDocument::MarkdownResource;
    }
    QTextBrowser::doSetSource(name, type);
  }
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(kWindowName);
  setWindowTitle("ORMLAX Help");

  browser_ = new PageBrowser(this);
  browser_->setObjectName("txtHelp");
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  browser_->document()->setDocumentMargin(12);

  auto* contents = new QPushButton("Contents", this);
  contents->setObjectName("cmdContents");
  back_ = new QPushButton("Back", this);
  back_->setObjectName("cmdBack");
  forward_ = new QPushButton("Forward", this);
  forward_->setObjectName("cmdForward");
  auto* close = new QPushButton("Close", this);
  close->setObjectName("cmdClose");
  for (QPushButton* b : {contents, back_, forward_, close}) b->setAutoDefault(false);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  connect(contents, &QPushButton::clicked, this, [this] { ShowPage(kContentsPageName); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);

  const QFontMetrics metrics(font());
  resize(metrics.averageCharWidth() * 104, metrics.height() * 42);
}

void HelpWindow::ShowPage(int context) {
  ShowPage(HelpPageNameOf(context));
}

void HelpWindow::ShowPage(const QString& name) {
  const QString page = FindHelpPageOrContents(name).name;
  if (PageName() == page) return;
  browser_->setSource(HelpPageUrl(page), QTextDocument::HtmlResource);
}

QString HelpWindow::PageName() const {
  return browser_->source().path();
}

HelpWindow* FindHelpWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* help = qobject_cast<HelpWindow*>(w)) return help;
  }
  return nullptr;
}

HelpWindow* ShowHelpPage(int context) {
  HelpWindow* help = FindHelpWindow();
  if (help == nullptr) {
    help = new HelpWindow;
    PlaceInsideScreen(help, QApplication::activeWindow());
  }
  // Above a modal window the help window must be modal too, or the modal one would keep it
  // from being read, scrolled or closed.
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != help) {
    const Qt::WindowModality modality = modal != nullptr ? Qt::ApplicationModal : Qt::NonModal;
    if (help->windowModality() != modality) {
      help->hide();
      help->setWindowModality(modality);
    }
  }
  help->ShowPage(context);
  help->show();
  help->raise();
  help->activateWindow();
  return help;
}

void DiscardHelpWindow() {
  delete FindHelpWindow();
}

}  // namespace ormlax::app
