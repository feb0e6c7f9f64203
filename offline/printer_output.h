// Where a printer run's lines go: the host printer, or the target as a text file of CR LF lines.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "offline/host_printer.h"
#include "offline/text_files.h"

namespace ormlax::offline {

class PrinterOutput {
 public:
  // The target text file, begun empty; it replaces the old one at Close. False, with a message
  // for the operator, when it cannot be begun.
  bool OpenFile(const std::filesystem::path& path, std::string& why);
  // The printer: a document begun, the printer's font remembered, a monospaced font chosen and
  // sized for forms of `lines` lines of `columns` characters.
  bool OpenPrinter(HostPrinter& printer, int columns, int lines, std::string& why);

  bool ToPrinter() const { return printer_ != nullptr; }
  void Line(std::string_view text);
  // A new page on the printer; nothing in a file.
  void NewPage();
  // A write to the file has failed.
  bool Failed() const { return file_.Failed(); }
  // Ends the document and gives the printer its font back, or closes the file. False, with a
  // message for the operator, when the output did not get there whole.
  bool Close(std::string& why);
  // A run that failed on its source: the printer's document is ended as it is, a file is dropped
  // and the old one stays.
  void Abandon();

 private:
  HostPrinter* printer_ = nullptr;
  std::string fontName_;
  double fontSize_ = 0;
  std::filesystem::path path_;
  TextFileWriter file_;
};

}  // namespace ormlax::offline
