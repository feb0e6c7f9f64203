// The host's printer as the high-speed printer uses it: fonts, text widths, lines and pages.
// printing/ implements it on the host's default printer or a PDF file; tests have their own.
#pragma once

#include <string>
#include <string_view>

namespace ormlax {

class HostPrinter {
 public:
  virtual ~HostPrinter() = default;

  // Starts a document. False, with a message for the operator in `why`, when there is no printer
  // to print on or it cannot be opened.
  virtual bool BeginDocument(std::string& why) = 0;

  virtual std::string FontName() = 0;
  virtual void SetFontName(const std::string& name) = 0;
  virtual double FontSize() = 0;  // in points
  virtual void SetFontSize(double points) = 0;
  virtual int FontCount() = 0;
  virtual std::string FontNameAt(int index) = 0;
  // The width of the text in the current font.
  virtual double TextWidth(std::string_view text) = 0;

  // The form the pages hold: `lines` lines of `columns` characters. The printer sizes the
  // current font so that a form fills a page, and starts a new page by itself when one is full.
  virtual void SetForm(int columns, int lines) = 0;

  // Prints one line; the text is one byte per character (Latin-1).
  virtual void PrintLine(std::string_view text) = 0;
  virtual void NewPage() = 0;
  // Ends the document and sends it to the printer. False, with a message for the operator in
  // `why`, when it could not be printed.
  virtual bool EndDocument(std::string& why) = 0;
};

}  // namespace ormlax
