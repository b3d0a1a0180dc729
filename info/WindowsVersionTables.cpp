#include "info/WindowsVersionTables.h"

namespace {

// ASCII letters only: the registry text is compared with fixed ASCII words,
// and a code-page-aware upper-casing could change the trail byte of a
// double-byte character.
std::string AsciiUpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

std::string Win9xProductName(DWORD major, DWORD minor, const std::string& servicePack) {
  // Second editions carry a letter after a leading blank, upper case only.
  char mark = servicePack.size() > 1 ? servicePack[1] : '\0';
  if (major == 4 && minor == 0) return std::string("Microsoft Windows 95 ") + (mark == 'C' || mark == 'B' ? "OSR2 " : "");
  if (major == 4 && minor == 10) return std::string("Microsoft Windows 98 ") + (mark == 'A' ? "SE " : "");
  if (major == 4 && minor == 90) return "Microsoft Windows Millennium Edition";
  return "Unknown";
}

std::string NtProductName(DWORD major, DWORD minor) {
  if (major == 5 && minor == 2) return "Microsoft Windows .NET Server 2003 family, ";
  if (major == 5 && minor == 1) return "Microsoft Windows XP ";
  if (major == 5 && minor == 0) return "Microsoft Windows 2000 ";
  if (major <= 4) return "Microsoft Windows NT ";
  return "Windows NT product family? ";
}

std::string NtEditionText(BYTE productType, DWORD major, DWORD minor, WORD suiteMask) {
  if (productType == VER_NT_WORKSTATION) {
    if (major == 4) return "Workstation 4.0 ";
    return (suiteMask & VER_SUITE_PERSONAL) ? "Home Edition " : "Professional ";
  }
  if (productType != VER_NT_SERVER) return std::string();
  if (major == 5 && minor == 2) {
    if (suiteMask & VER_SUITE_DATACENTER) return "Datacenter Edition ";
    if (suiteMask & VER_SUITE_ENTERPRISE) return "Enterprise Edition ";
    // The whole mask, not a bit: a Web Edition with further suites reads as Standard.
    if (suiteMask == VER_SUITE_BLADE) return "Web Edition ";
    return "Standard Edition ";
  }
  if (major == 5 && minor == 0) {
    if (suiteMask & VER_SUITE_DATACENTER) return "Datacenter Server ";
    if (suiteMask & VER_SUITE_ENTERPRISE) return "Advanced Server ";
    return "Server ";
  }
  return (suiteMask & VER_SUITE_ENTERPRISE) ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
}

std::string NtProductTypeWord(const std::string& productType) {
  std::string upper = AsciiUpperCase(productType);
  if (upper == "WINNT") return "Workstation ";
  if (upper == "LANMANNT") return "Server ";
  if (upper == "SERVERNT") return "Advanced Server ";
  return std::string();
}

std::string GetPlatformName(DWORD platformId) {
  switch (platformId) {
    case VER_PLATFORM_WIN32s: return "Windows 3.1";
    case VER_PLATFORM_WIN32_WINDOWS: return "Windows 95";
    case VER_PLATFORM_WIN32_NT: return "Windows NT";
    default: return std::string();
  }
}
