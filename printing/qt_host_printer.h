// The host printer of the off-line equipment on Qt Print Support: the host's default printer, or
// pages rendered into a PDF file. Front ends without a Qt application of their own get one made
// for them (on the offscreen platform) when the printer is first used.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "offline/host_printer.h"

namespace ormlax {

class QtHostPrinter : public HostPrinter {
 public:
  // The host's default printer; when there is none, BeginDocument says so.
  static std::unique_ptr<QtHostPrinter> DefaultPrinter();
  // Pages of A4 rendered into a PDF file, created anew by BeginDocument.
  static std::unique_ptr<QtHostPrinter> PdfFile(const std::filesystem::path& path);

  ~QtHostPrinter() override;
  QtHostPrinter(const QtHostPrinter&) = delete;
  QtHostPrinter& operator=(const QtHostPrinter&) = delete;

  bool BeginDocument(std::string& why) override;
  std::string FontName() override;
  void SetFontName(const std::string& name) override;
  double FontSize() override;
  void SetFontSize(double points) override;
  int FontCount() override;
  std::string FontNameAt(int index) override;
  double TextWidth(std::string_view text) override;
  void SetForm(int columns, int lines) override;
  void PrintLine(std::string_view text) override;
  void NewPage() override;
  bool EndDocument(std::string& why) override;

  // The width of one character of the font of the last form set, in points: the pitch of the
  // columns on its pages.
  double FormPitchPoints() const;

 private:
  struct Impl;
  explicit QtHostPrinter(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace ormlax
