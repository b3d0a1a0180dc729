#include "info/WindowsVersion.h"

#include "base/AnsiText.h"
#include "base/Owned.h"

namespace {

constexpr char ProductOptionsKey[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
constexpr char ServicePack6aKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
constexpr DWORD ProductTypeBufferSize = 255;

// The record's numbers are shown as the platform's signed 32-bit integers.
std::string Decimal(DWORD value) { return std::to_string(static_cast<int>(value)); }

// A key opened through the seam, closed through it on every path; none
// when it cannot be opened.
TOwnedKey OpenVersionKey(const TWindowsVersionApi& api, const char* path) {
  HKEY key = nullptr;
  if (api.OpenKey(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = nullptr;
  return TOwnedKey(key, TKeyTraits{api.CloseKey});
}

// The "ProductType" text, or false when it cannot be read. Only the bytes the
// registry reports are taken, and no further than the first zero: a value
// stored without its terminating zero, or one that fills the whole buffer,
// must not be read past its end.
bool ReadProductType(const TWindowsVersionApi& api, std::string& productType) {
  const TOwnedKey key = OpenVersionKey(api, ProductOptionsKey);
  if (!key) return false;
  BYTE buffer[ProductTypeBufferSize] = {};
  DWORD size = ProductTypeBufferSize;
  if (api.QueryValue(key.Get(), "ProductType", nullptr, nullptr, buffer, &size) != ERROR_SUCCESS) return false;
  if (size > ProductTypeBufferSize) return false;
  productType = TextOfArray(reinterpret_cast<const char*>(buffer), size);
  return true;
}

std::string BuildSuffix(const TWindowsVersionApi& api, const OSVERSIONINFOEXA& info) {
  std::string servicePack = TextOfArray(info.szCSDVersion, sizeof info.szCSDVersion);
  std::string build = Decimal(info.dwBuildNumber & 0xFFFF);
  // Service Pack 6a kept the text of Service Pack 6; only its hotfix key tells them apart.
  if (info.dwMajorVersion == 4 && api.CompareTextNoCase(servicePack.c_str(), "Service Pack 6") == 0) {
    if (OpenVersionKey(api, ServicePack6aKey)) return "Service Pack 6a (Build " + build + ")";
  }
  return servicePack + " (Build " + build + ")";
}

std::string NtVersionText(const TWindowsVersionApi& api, const OSVERSIONINFOEXA& info, bool extended) {
  std::string result = NtProductName(info.dwMajorVersion, info.dwMinorVersion);
  if (extended) {
    result += NtEditionText(info.wProductType, info.dwMajorVersion, info.dwMinorVersion, info.wSuiteMask);
  } else {
    // NT before 4.0 SP6 has no extended record; the edition lives in the registry.
    std::string productType;
    if (!ReadProductType(api, productType)) return result;
    result += NtProductTypeWord(productType);
    result += Decimal(info.dwMajorVersion) + "." + Decimal(info.dwMinorVersion);
  }
  return result + BuildSuffix(api, info);
}

}  // namespace

std::string GetWindowsVersionText(const TWindowsVersionApi& api) {
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  bool extended = api.GetVersionInfo(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
  if (!extended) {
    // Systems older than NT 4.0 SP6 refuse the extended size; ask for the plain record.
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!api.GetVersionInfo(reinterpret_cast<OSVERSIONINFOA*>(&info))) return "Unknown";
  }
  switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
      return "Microsoft Win32s";
    case VER_PLATFORM_WIN32_WINDOWS:
      return Win9xProductName(info.dwMajorVersion, info.dwMinorVersion,
                              TextOfArray(info.szCSDVersion, sizeof info.szCSDVersion));
    case VER_PLATFORM_WIN32_NT:
      return NtVersionText(api, info, extended);
    default:
      return "Unknown";
  }
}

std::string GetBasicWindowsVersionText(const TWindowsVersionApi& api) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  // A failed query leaves the zeroed record: platform 0, version 0.0, build 0.
  api.GetVersionInfo(&info);
  // On Windows 95/98/Me the high word of the build holds the version, so the
  // whole 32-bit number is shown here, signed, as the platform reports it.
  return GetPlatformName(info.dwPlatformId) + " Version " + Decimal(info.dwMajorVersion) + "." +
         Decimal(info.dwMinorVersion) + " (Build " + Decimal(info.dwBuildNumber) + " : " +
         TextOfArray(info.szCSDVersion, sizeof info.szCSDVersion) + ")";
}

std::string GetSafeWindowsVersionText(const TWindowsVersionApi& api) noexcept {
  try {
    return GetWindowsVersionText(api);
  } catch (...) {
  }
  try {
    return GetBasicWindowsVersionText(api);
  } catch (...) {
  }
  return "Microsoft Windows";
}
