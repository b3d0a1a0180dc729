#include "info/InfoFormTexts.h"

#include <cstring>

#include "base/WideText.h"

namespace {

// Characters a URL reserves as separators (RFC 3986), and "%" of an escape
// already made.
constexpr char UrlSeparators[] = ":/?#[]@!$&'()*+,;=%";

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         (c != '\0' && std::strchr("-._~", c));
}

// The ANSI text as UTF-8, every byte escaped as %XX but the unreserved ones
// and those in keep.
std::string Escaped(const std::string& text, const char* keep, UINT codePage) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string escaped;
  for (unsigned char c : TWideText::FromAnsi(text, codePage).ToAnsi(CP_UTF8)) {
    if (IsUnreserved(c) || (c != '\0' && std::strchr(keep, c))) {
      escaped += static_cast<char>(c);
    } else {
      escaped += '%';
      escaped += Hex[c >> 4];
      escaped += Hex[c & 0x0F];
    }
  }
  return escaped;
}

}  // namespace

std::string OsVersionLabelText(const std::string& versionText) {
  static const std::string prefix = "Microsoft ";
  std::string text = versionText;
  std::size_t at = text.find(prefix);
  if (at != std::string::npos) text.erase(at, prefix.size());
  return text;
}

std::string MailLink(const std::string& address, const std::string& exeFileName, UINT codePage) {
  return "MailTo:" + Escaped(address, "@", codePage) + "?subject=" +
         Escaped("from [" + exeFileName + "] user", "", codePage);
}

std::string WebLink(const std::string& address, UINT codePage) { return Escaped(address, UrlSeparators, codePage); }

std::string VersionLabelText(const std::string& fileVersion) { return "Ver." + fileVersion; }
