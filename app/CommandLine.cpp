#include "app/CommandLine.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one item starting at p; returns the position after it.
const char* ReadItem(const char* p, std::string& item) {
  item.clear();
  for (;;) {
    while (*p != '\0' && IsBlank(*p)) ++p;
    if (p[0] == '"' && p[1] == '"') {
      p += 2;  // an empty quoted item counts as nothing
    } else {
      break;
    }
  }
  while (*p != '\0' && !IsBlank(*p)) {
    if (*p == '"') {
      ++p;
      while (*p != '\0' && *p != '"') item += *p++;
      if (*p != '\0') ++p;
    } else {
      item += *p++;
    }
  }
  return p;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
  std::vector<std::string> items;
  if (!commandLine) return items;
  const char* p = commandLine;
  std::string item;
  for (;;) {
    p = ReadItem(p, item);
    if (item.empty() && *p == '\0') break;
    items.push_back(item);
  }
  return items;
}

std::string FirstArgument(const char* commandLine) {
  std::vector<std::string> items = SplitCommandLine(commandLine);
  return items.size() > 1 ? items[1] : std::string();
}
