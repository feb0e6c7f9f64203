#include "offline/printer_output.h"

#include "offline/select_font.h"
#include "tape/tape_recognition.h"

namespace ormlax::offline {

bool PrinterOutput::OpenFile(const std::filesystem::path& path, std::string& why) {
  path_ = path;
  if (file_.Create(path)) return true;
  why = HostFileMessage(path, "cannot be written", file_.Error());
  return false;
}

bool PrinterOutput::OpenPrinter(HostPrinter& printer, int columns, int lines, std::string& why) {
  if (!printer.BeginDocument(why)) return false;
  printer_ = &printer;
  fontName_ = printer.FontName();
  fontSize_ = printer.FontSize();
  SelectMonospacedFont(printer);
  printer.SetForm(columns, lines);
  return true;
}

void PrinterOutput::Line(std::string_view text) {
  if (printer_ != nullptr) {
    printer_->PrintLine(text);
  } else {
    file_.WriteLine(text);
  }
}

void PrinterOutput::NewPage() {
  if (printer_ != nullptr) printer_->NewPage();
}

bool PrinterOutput::Close(std::string& why) {
  if (printer_ != nullptr) {
    const bool printed = printer_->EndDocument(why);
    printer_->SetFontName(fontName_);
    printer_->SetFontSize(fontSize_);
    printer_ = nullptr;
    return printed;
  }
  if (file_.Close()) return true;
  why = HostFileMessage(path_, "cannot be written", file_.Error());
  return false;
}

void PrinterOutput::Abandon() {
  if (printer_ == nullptr) {
    file_.Abandon();
    return;
  }
  std::string ignored;  // the source's failure is what the operator is told
  Close(ignored);
}

}  // namespace ormlax::offline
