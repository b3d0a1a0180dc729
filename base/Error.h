#pragma once
#include <stdexcept>
#include <string>

// The one exception type the program raises for failures a user should see;
// the default error report shows its text.
class EError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The text the default error report shows: a full stop is added when the last
// character's code is above that of ".", so "Access denied" reads as a
// sentence while "Failed." or "Done!" stay as they are.
std::string ErrorReportText(const std::string& message);
