#include "base/ApplicationTitle.h"

#include "base/AnsiPath.h"

std::string ApplicationTitleFromPath(const std::string& modulePath, UINT codePage) {
  std::string title = ExtractFileName(modulePath, codePage);
  for (std::size_t i = 0; i < title.size(); ++i) {
    if (title[i] == '.') {
      title.resize(i);
      break;
    }
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(title[i]))) ++i;
  }
  if (title.empty()) return title;
  // CharLowerA knows the user's letters (and leaves double-byte ones alone).
  std::size_t first = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(title[0])) && title.size() > 1 ? 2 : 1;
  CharLowerBuffA(&title[first], static_cast<DWORD>(title.size() - first));
  return title;
}
