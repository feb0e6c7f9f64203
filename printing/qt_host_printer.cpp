#include "printing/qt_host_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

#include "core/durable_file.h"

namespace ormlax {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kSmallestFont = 1.0;

// The command line of the Qt application made for a front end that has none: no windows, so the
// offscreen platform, whatever the environment says.
char gArg0[] = "ormlax";
char gArg1[] = "-platform";
char gArg2[] = "offscreen";

// Qt's own diagnostics would land among a command's message lines; the printer reports its
// failures itself.
void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

struct QtHostPrinter::Impl {
  std::optional<std::filesystem::path> pdf;  // nothing: the default printer
  // The PDF file being rendered; it replaces the file of its name when the document ends whole.
  DurableFile pdfFile;
  int argc = 3;  // the made application's command line
  char* argv[4] = {gArg0, gArg1, gArg2, nullptr};
  std::unique_ptr<QGuiApplication> app;  // made here when the front end has none
  std::unique_ptr<QPrinter> printer;
  QPainter painter;
  QFont font;
  QStringList families;
  bool familiesRead = false;
  int linesPerPage = 0;
  double linePitchPoints = 0;
  double columnPitchPoints = 0;
  int linesOnPage = 0;
  int pendingPages = 0;
  bool printed = false;

  // The Qt application and the printer, made on first use. False when the front end's Qt
  // application cannot paint.
  bool Ready() {
    if (QCoreApplication::instance() == nullptr) {
      qInstallMessageHandler(DropQtMessages);
      app = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    if (printer) return true;
    if (pdf) {
      printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    } else {
      const QPrinterInfo info = QPrinterInfo::defaultPrinter();
      if (info.isNull()) return true;  // BeginDocument tells
      printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    printer->setCreator("ormlax");
    printer->setDocName("ORMLAX high-speed printer");
    font = QGuiApplication::font();
    return true;
  }

  double Resolution() const { return printer ? printer->resolution() : kPointsPerInch; }

  QFontMetricsF Metrics(const QFont& f) const {
    return printer ? QFontMetricsF(f, printer.get()) : QFontMetricsF(f);
  }

  bool BeginPainting(std::string& why) {
    if (painter.isActive()) return true;
    if (pdf) {
      if (!pdfFile.Begin(*pdf)) {
        why =
            "The PDF file\r\n" + pdf->string() + "\r\ncannot be written (" + pdfFile.Reason() + ")";
        return false;
      }
      printer->setOutputFileName(QString::fromStdString(pdfFile.TemporaryPath().string()));
    }
    if (painter.begin(printer.get())) return true;
    pdfFile.Abandon();
    why = pdf ? "The PDF file\r\n" + pdf->string() + "\r\ncannot be written"
              : "The printer " + printer->printerName().toStdString() + " cannot be opened";
    return false;
  }
};

QtHostPrinter::QtHostPrinter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

QtHostPrinter::~QtHostPrinter() {
  if (impl_->painter.isActive()) impl_->painter.end();
  impl_->printer.reset();
}

std::unique_ptr<QtHostPrinter> QtHostPrinter::DefaultPrinter() {
  return std::unique_ptr<QtHostPrinter>(new QtHostPrinter(std::make_unique<Impl>()));
}

std::unique_ptr<QtHostPrinter> QtHostPrinter::PdfFile(const std::filesystem::path& path) {
  auto impl = std::make_unique<Impl>();
  impl->pdf = path;
  return std::unique_ptr<QtHostPrinter>(new QtHostPrinter(std::move(impl)));
}

bool QtHostPrinter::BeginDocument(std::string& why) {
  Impl& p = *impl_;
  if (!p.Ready()) {
    why = "The printer cannot be used by this program";
    return false;
  }
  if (!p.printer) {
    why = "There is no default printer on this computer:\r\nset one up, or print into a file";
    return false;
  }
  p.linesOnPage = 0;
  p.pendingPages = 0;
  p.printed = false;
  // A PDF file is made at once, so that a file that cannot be written is known before printing;
  // a printer's job is opened with the first line.
  return !p.pdf || p.BeginPainting(why);
}

std::string QtHostPrinter::FontName() {
  impl_->Ready();
  const QStringList families = impl_->font.families();
  return (families.isEmpty() ? impl_->font.family() : families.front()).toStdString();
}

void QtHostPrinter::SetFontName(const std::string& name) {
  impl_->Ready();
  impl_->font.setFamilies({QString::fromStdString(name)});
}

double QtHostPrinter::FontSize() {
  impl_->Ready();
  return impl_->font.pointSizeF();
}

void QtHostPrinter::SetFontSize(double points) {
  impl_->Ready();
  impl_->font.setPointSizeF(std::max(points, kSmallestFont));
}

int QtHostPrinter::FontCount() {
  Impl& p = *impl_;
  if (!p.Ready()) return 0;
  if (!p.familiesRead) {
    p.families = QFontDatabase::families();
    p.familiesRead = true;
  }
  return static_cast<int>(p.families.size());
}

std::string QtHostPrinter::FontNameAt(int index) {
  if (index < 0 || index >= FontCount()) return "";
  return impl_->families[index].toStdString();
}

double QtHostPrinter::TextWidth(std::string_view text) {
  impl_->Ready();
  return impl_->Metrics(impl_->font).horizontalAdvance(Latin1(text));
}

void QtHostPrinter::SetForm(int columns, int lines) {
  Impl& p = *impl_;
  p.Ready();
  columns = std::max(columns, 1);
  lines = std::max(lines, 1);
  const QRectF page =
      p.printer ? p.printer->pageLayout().paintRect(QPageLayout::Point) : QRectF(0, 0, 595, 842);
  // Measured at 10 points, in points.
  QFont probe = p.font;
  probe.setPointSizeF(10);
  const QFontMetricsF m = p.Metrics(probe);
  const double toPoints = kPointsPerInch / p.Resolution();
  const double advance = std::max(m.horizontalAdvance(QLatin1Char('W')) * toPoints, 0.01);
  const double height = std::max(m.height() * toPoints, 0.01);
  const double size =
      10 * std::min(page.width() / (columns * advance), page.height() / (lines * height));
  p.font.setPointSizeF(std::max(size * 0.98, kSmallestFont));
  p.columnPitchPoints = p.Metrics(p.font).horizontalAdvance(QLatin1Char('W')) * toPoints;
  p.linesPerPage = lines;
  p.linePitchPoints = page.height() / lines;
}

void QtHostPrinter::PrintLine(std::string_view text) {
  Impl& p = *impl_;
  std::string why;
  if (!p.printer || !p.BeginPainting(why)) return;
  if (p.pendingPages == 0 && p.linesPerPage > 0 && p.linesOnPage >= p.linesPerPage) {
    p.pendingPages = 1;
  }
  for (; p.pendingPages > 0; --p.pendingPages) {
    p.printer->newPage();
    p.linesOnPage = 0;
  }
  const double toDevice = p.Resolution() / kPointsPerInch;
  p.painter.setFont(p.font);
  const double pitch = (p.linePitchPoints > 0 ? p.linePitchPoints : p.font.pointSizeF() * 1.2);
  const double y = p.linesOnPage * pitch * toDevice + p.Metrics(p.font).ascent();
  if (!text.empty()) p.painter.drawText(QPointF(0, y), Latin1(text));
  ++p.linesOnPage;
  p.printed = true;
}

void QtHostPrinter::NewPage() {
  if (impl_->printed) ++impl_->pendingPages;
}

bool QtHostPrinter::EndDocument(std::string& why) {
  Impl& p = *impl_;
  p.pendingPages = 0;
  if (!p.painter.isActive()) return true;  // nothing was printed
  p.painter.end();
  if (p.printer->printerState() == QPrinter::Error) {
    p.pdfFile.Abandon();
    why = p.pdf ? "The PDF file\r\n" + p.pdf->string() + "\r\ncould not be written whole"
                : "The printer reported an error; the pages may not have been printed";
    return false;
  }
  if (p.pdf && !p.pdfFile.Commit()) {
    why = "The PDF file\r\n" + p.pdf->string() + "\r\ncould not be written whole (" +
          p.pdfFile.Reason() + ")";
    return false;
  }
  return true;
}

double QtHostPrinter::FormPitchPoints() const {
  return impl_->columnPitchPoints;
}

}  // namespace ormlax
