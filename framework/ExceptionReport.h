#pragma once
// The default error report for a C++ exception that reaches a window
// procedure or the message loop, where it must stop before a Win32 frame.
// A window procedure has no context but its window, so the report is the
// framework's one process-wide setting: the application installs it for as
// long as it lives.
#include <functional>
#include <string>

using TExceptionReport = std::function<void(const std::string& message)>;

// Installs the report and returns the one it replaces.
TExceptionReport SetExceptionReport(TExceptionReport report);

// Call inside a catch block: hands the caught error's text to the installed
// report (to a bare error box when none is), and the program goes on.
void ReportCurrentException() noexcept;
