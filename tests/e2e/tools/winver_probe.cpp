// Prints the Windows version texts of the system it runs on: the safe text
// the program shows, then the basic one. The end-to-end test runs it under
// Wine posing as one Windows version after another.
#include <cstdio>

#include "info/WindowsVersion.h"

int main() {
  std::printf("%s\n%s\n", GetSafeWindowsVersionText().c_str(), GetBasicWindowsVersionText().c_str());
  return 0;
}
