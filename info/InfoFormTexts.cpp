#include "info/InfoFormTexts.h"

std::string OsVersionLabelText(const std::string& versionText) {
  static const std::string prefix = "Microsoft ";
  std::string text = versionText;
  std::size_t at = text.find(prefix);
  if (at != std::string::npos) text.erase(at, prefix.size());
  return text;
}

std::string MailLink(const std::string& address, const std::string& exeFileName) {
  return "MailTo:" + address + "?subject=from [" + exeFileName + "] user";
}

std::string VersionLabelText(const std::string& fileVersion) { return "Ver." + fileVersion; }
