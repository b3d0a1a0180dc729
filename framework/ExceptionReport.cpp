#include "framework/ExceptionReport.h"

#include <windows.h>

#include <exception>

#include "base/Error.h"

namespace {

TExceptionReport& InstalledReport() {
  static TExceptionReport report;
  return report;
}

}  // namespace

TExceptionReport SetExceptionReport(TExceptionReport report) {
  std::swap(InstalledReport(), report);
  return report;
}

void ReportCurrentException() noexcept {
  try {
    std::string message;
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = "Unknown error";
    }
    if (const TExceptionReport& report = InstalledReport()) {
      report(message);
    } else {
      MessageBoxA(nullptr, ErrorReportText(message).c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    // The report itself failed (no memory for the text): nothing is left
    // to tell it with, and no exception may leave a window procedure.
  }
}
