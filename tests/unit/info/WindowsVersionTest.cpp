// The version text under systems posed through the seam: each test describes
// one machine and reads the texts it gets.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "info/WindowsVersion.h"

namespace {

const HKEY ProductOptionsHandle = reinterpret_cast<HKEY>(0x1001);
const HKEY HotfixHandle = reinterpret_cast<HKEY>(0x1002);

// One posed machine; the fakes below read and record through it.
struct TFakeWindows {
  bool ExtendedRecordWorks = true;
  bool PlainRecordWorks = true;
  bool ThrowFromVersionQuery = false;
  OSVERSIONINFOEXA Record = {};

  bool HasProductOptions = true;
  bool ProductTypeReadWorks = true;
  std::vector<BYTE> ProductType;    // the value's bytes as stored
  DWORD ReportedSizeOverride = 0;   // when non-zero, the size the read reports
  bool HasServicePack6aKey = false;

  std::vector<DWORD> QuerySizes;
  std::vector<HKEY> Closed;
  int Opened = 0;
};

TFakeWindows* Fake = nullptr;

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA info) {
  Fake->QuerySizes.push_back(info->dwOSVersionInfoSize);
  if (Fake->ThrowFromVersionQuery) throw std::runtime_error("posed failure");
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) {
    if (!Fake->ExtendedRecordWorks) return FALSE;
    std::memcpy(info, &Fake->Record, sizeof(OSVERSIONINFOEXA));
  } else {
    if (!Fake->PlainRecordWorks) return FALSE;
    std::memcpy(info, &Fake->Record, sizeof(OSVERSIONINFOA));
  }
  info->dwOSVersionInfoSize = Fake->QuerySizes.back();
  return TRUE;
}

LSTATUS WINAPI FakeRegOpenKeyEx(HKEY root, LPCSTR path, DWORD, REGSAM access, PHKEY key) {
  EXPECT_EQ(HKEY_LOCAL_MACHINE, root);
  EXPECT_EQ(static_cast<REGSAM>(KEY_QUERY_VALUE), access);
  std::string name = path;
  if (name == "SYSTEM\\CurrentControlSet\\Control\\ProductOptions" && Fake->HasProductOptions) {
    *key = ProductOptionsHandle;
  } else if (name == "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009" &&
             Fake->HasServicePack6aKey) {
    *key = HotfixHandle;
  } else {
    return ERROR_FILE_NOT_FOUND;
  }
  ++Fake->Opened;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI FakeRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD, LPDWORD, LPBYTE data, LPDWORD size) {
  EXPECT_EQ(ProductOptionsHandle, key);
  EXPECT_STREQ("ProductType", name);
  EXPECT_EQ(255u, *size);
  if (!Fake->ProductTypeReadWorks) return ERROR_ACCESS_DENIED;
  if (Fake->ProductType.size() > *size) return ERROR_MORE_DATA;
  std::memcpy(data, Fake->ProductType.data(), Fake->ProductType.size());
  *size = Fake->ReportedSizeOverride ? Fake->ReportedSizeOverride : static_cast<DWORD>(Fake->ProductType.size());
  return ERROR_SUCCESS;
}

LSTATUS WINAPI FakeRegCloseKey(HKEY key) {
  Fake->Closed.push_back(key);
  return ERROR_SUCCESS;
}

std::vector<BYTE> Bytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

class WindowsVersionTest : public ::testing::Test {
protected:
  void SetUp() override {
    Fake = &FFake;
    FApi.GetVersionInfo = &FakeGetVersionEx;
    FApi.OpenKey = &FakeRegOpenKeyEx;
    FApi.QueryValue = &FakeRegQueryValueEx;
    FApi.CloseKey = &FakeRegCloseKey;
    // The real lstrcmpiA stays: its letter-case rules are part of what is tested.
  }
  void TearDown() override {
    // Every key opened was closed exactly once.
    EXPECT_EQ(FFake.Opened, static_cast<int>(FFake.Closed.size()));
    Fake = nullptr;
  }

  void Pose(DWORD platform, DWORD major, DWORD minor, DWORD build, const char* servicePack, BYTE productType = 0,
            WORD suiteMask = 0) {
    FFake.Record = {};
    FFake.Record.dwPlatformId = platform;
    FFake.Record.dwMajorVersion = major;
    FFake.Record.dwMinorVersion = minor;
    FFake.Record.dwBuildNumber = build;
    std::strcpy(FFake.Record.szCSDVersion, servicePack);
    FFake.Record.wProductType = productType;
    FFake.Record.wSuiteMask = suiteMask;
  }
  // NT before 4.0 SP6: the extended record is refused, the registry names the edition.
  void PoseOldNt4(const char* servicePack, const std::string& productType) {
    Pose(VER_PLATFORM_WIN32_NT, 4, 0, 1381, servicePack);
    FFake.ExtendedRecordWorks = false;
    FFake.ProductType = Bytes(productType);
  }
  std::string Detailed() { return GetWindowsVersionText(FApi); }
  std::string Basic() { return GetBasicWindowsVersionText(FApi); }

  TFakeWindows FFake;
  TWindowsVersionApi FApi;
};

TEST_F(WindowsVersionTest, NamesNtEditionsFromTheExtendedRecord) {
  const struct {
    DWORD Major, Minor, Build;
    const char* ServicePack;
    BYTE ProductType;
    WORD Suite;
    const char* Expected;
  } rows[] = {
      {5, 1, 2600, "Service Pack 2", VER_NT_WORKSTATION, 0,
       "Microsoft Windows XP Professional Service Pack 2 (Build 2600)"},
      {5, 1, 2600, "Service Pack 3", VER_NT_WORKSTATION, VER_SUITE_PERSONAL,
       "Microsoft Windows XP Home Edition Service Pack 3 (Build 2600)"},
      // One blank ends the edition, one begins the suffix of an empty service pack.
      {5, 0, 2195, "", VER_NT_SERVER, 0, "Microsoft Windows 2000 Server  (Build 2195)"},
      // A domain controller has no edition word.
      {5, 0, 2195, "Service Pack 4", VER_NT_DOMAIN_CONTROLLER, 0, "Microsoft Windows 2000 Service Pack 4 (Build 2195)"},
      {4, 0, 1381, "Service Pack 6a", VER_NT_WORKSTATION, 0,
       "Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381)"},
      // Later systems are named generically; only the low 16 bits are the build.
      {6, 1, 0x12341DB1, "Service Pack 1", VER_NT_WORKSTATION, 0,
       "Windows NT product family? Professional Service Pack 1 (Build 7601)"},
      {6, 1, 7601, "", VER_NT_SERVER, VER_SUITE_ENTERPRISE,
       "Windows NT product family? Server 4.0, Enterprise Edition  (Build 7601)"},
  };
  for (const auto& row : rows) {
    Pose(VER_PLATFORM_WIN32_NT, row.Major, row.Minor, row.Build, row.ServicePack, row.ProductType, row.Suite);
    EXPECT_EQ(row.Expected, Detailed());
  }
  EXPECT_EQ(std::vector<DWORD>(std::size(rows), 156), FFake.QuerySizes);
}

TEST_F(WindowsVersionTest, TellsServerEditionsBySuiteMask) {
  struct TCase {
    DWORD Minor;
    WORD Suite;
    const char* Edition;
  };
  const TCase cases[] = {
      {2, VER_SUITE_DATACENTER | VER_SUITE_ENTERPRISE, "Datacenter Edition "},
      {2, VER_SUITE_ENTERPRISE, "Enterprise Edition "},
      {2, VER_SUITE_BLADE, "Web Edition "},
      {2, VER_SUITE_BLADE | 0x0010, "Standard Edition "},  // Web Edition only as the whole mask
      {2, 0, "Standard Edition "},
      {0, VER_SUITE_DATACENTER | VER_SUITE_ENTERPRISE, "Datacenter Server "},
      {0, VER_SUITE_ENTERPRISE, "Advanced Server "},
      {0, VER_SUITE_BLADE, "Server "},
  };
  for (const TCase& c : cases) {
    Pose(VER_PLATFORM_WIN32_NT, 5, c.Minor, 3790, "", VER_NT_SERVER, c.Suite);
    std::string product = c.Minor == 2 ? "Microsoft Windows .NET Server 2003 family, " : "Microsoft Windows 2000 ";
    EXPECT_EQ(product + c.Edition + " (Build 3790)", Detailed()) << "suite mask " << c.Suite;
  }
}

TEST_F(WindowsVersionTest, ServicePack6aNeedsItsHotfixKeyInAnyLetterCase) {
  Pose(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "sERVICE pACK 6", VER_NT_WORKSTATION);
  FFake.HasServicePack6aKey = true;
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381)", Detailed());
  EXPECT_EQ(std::vector<HKEY>{HotfixHandle}, FFake.Closed);

  // Without the key the stored text stays as it is, letter case included.
  FFake.HasServicePack6aKey = false;
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 sERVICE pACK 6 (Build 1381)", Detailed());

  // The key counts only on NT 4.0 with exactly that text.
  FFake.HasServicePack6aKey = true;
  Pose(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 5", VER_NT_WORKSTATION);
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381)", Detailed());
  Pose(VER_PLATFORM_WIN32_NT, 5, 0, 2195, "Service Pack 6", VER_NT_WORKSTATION);
  EXPECT_EQ("Microsoft Windows 2000 Professional Service Pack 6 (Build 2195)", Detailed());
}

TEST_F(WindowsVersionTest, OldNt4NamesItsEditionFromTheRegistry) {
  PoseOldNt4("Service Pack 5", std::string("WinNT\0", 6));
  // No blank between the version digits and the service pack, as the system always wrote it.
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0Service Pack 5 (Build 1381)", Detailed());
  EXPECT_EQ((std::vector<DWORD>{156, 148}), FFake.QuerySizes);
  EXPECT_EQ(std::vector<HKEY>{ProductOptionsHandle}, FFake.Closed);

  FFake.ProductType = Bytes(std::string("lanmannt\0", 9));
  EXPECT_EQ("Microsoft Windows NT Server 4.0Service Pack 5 (Build 1381)", Detailed());
  FFake.ProductType = Bytes(std::string("ServerNT\0", 9));
  EXPECT_EQ("Microsoft Windows NT Advanced Server 4.0Service Pack 5 (Build 1381)", Detailed());
  FFake.ProductType = Bytes(std::string("Terminal\0", 9));
  EXPECT_EQ("Microsoft Windows NT 4.0Service Pack 5 (Build 1381)", Detailed());

  // The hotfix key still marks SP6a on this path.
  PoseOldNt4("Service Pack 6", std::string("WinNT\0", 6));
  FFake.HasServicePack6aKey = true;
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0Service Pack 6a (Build 1381)", Detailed());
}

TEST_F(WindowsVersionTest, OldNt4StopsAtTheProductNameWhenTheRegistryFails) {
  PoseOldNt4("Service Pack 5", std::string("WinNT\0", 6));
  FFake.HasProductOptions = false;
  EXPECT_EQ("Microsoft Windows NT ", Detailed());
  EXPECT_TRUE(FFake.Closed.empty());

  FFake.HasProductOptions = true;
  FFake.ProductTypeReadWorks = false;
  EXPECT_EQ("Microsoft Windows NT ", Detailed());

  FFake.ProductTypeReadWorks = true;
  FFake.ReportedSizeOverride = 256;
  EXPECT_EQ("Microsoft Windows NT ", Detailed());
  EXPECT_EQ((std::vector<HKEY>{ProductOptionsHandle, ProductOptionsHandle}), FFake.Closed);
}

TEST_F(WindowsVersionTest, ReadsProductTypeOnlyWithinTheReturnedBytes) {
  // Stored without its terminating zero: the whole value is the text.
  PoseOldNt4("", "WinNT");
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 (Build 1381)", Detailed());

  // Bytes after the first zero are not part of the text.
  FFake.ProductType = Bytes(std::string("WinNT\0NT", 8));
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 (Build 1381)", Detailed());

  // Only as many bytes as reported count, whatever the buffer holds beyond them.
  FFake.ProductType = Bytes("WinNTX");
  FFake.ReportedSizeOverride = 5;
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 (Build 1381)", Detailed());

  // A full buffer with no zero in it is a text of 255 bytes, no more.
  FFake.ReportedSizeOverride = 0;
  FFake.ProductType = std::vector<BYTE>(255, 'W');
  EXPECT_EQ("Microsoft Windows NT 4.0 (Build 1381)", Detailed());
}

TEST_F(WindowsVersionTest, NamesWindows9xByUpperCaseMarkWithoutBuild) {
  struct TCase {
    DWORD Minor;
    const char* ServicePack;
    const char* Text;
  };
  const TCase cases[] = {
      {0, "", "Microsoft Windows 95 "},
      {0, " B", "Microsoft Windows 95 OSR2 "},
      {0, " C", "Microsoft Windows 95 OSR2 "},
      {0, " b", "Microsoft Windows 95 "},
      {10, " A ", "Microsoft Windows 98 SE "},
      {10, " a", "Microsoft Windows 98 "},
      {10, "B", "Microsoft Windows 98 "},
      {90, " ", "Microsoft Windows Millennium Edition"},
      {20, "", "Unknown"},
  };
  for (const TCase& c : cases) {
    Pose(VER_PLATFORM_WIN32_WINDOWS, 4, c.Minor, 0x04000000 | (c.Minor << 16) | 1998, c.ServicePack);
    FFake.ExtendedRecordWorks = false;
    EXPECT_EQ(c.Text, Detailed()) << "4." << c.Minor << " '" << c.ServicePack << "'";
  }
  EXPECT_EQ(0, FFake.Opened);
}

TEST_F(WindowsVersionTest, OtherPlatformsAndFailedQueries) {
  Pose(VER_PLATFORM_WIN32s, 3, 10, 0, "");
  EXPECT_EQ("Microsoft Win32s", Detailed());
  Pose(3, 10, 0, 19041, "", VER_NT_WORKSTATION);
  EXPECT_EQ("Unknown", Detailed());

  FFake.QuerySizes.clear();
  FFake.ExtendedRecordWorks = false;
  FFake.PlainRecordWorks = false;
  EXPECT_EQ("Unknown", Detailed());
  EXPECT_EQ((std::vector<DWORD>{156, 148}), FFake.QuerySizes);
}

TEST_F(WindowsVersionTest, BasicTextShowsTheWholeBuildNumber) {
  // 98 SE: the build's high word holds the version, so eight digits print.
  Pose(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A08AE, " A ");
  EXPECT_EQ("Windows 95 Version 4.10 (Build 67766446 :  A )", Basic());
  EXPECT_EQ(std::vector<DWORD>{148}, FFake.QuerySizes);

  Pose(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 3");
  EXPECT_EQ("Windows NT Version 5.1 (Build 2600 : Service Pack 3)", Basic());

  // The build is printed as a signed number.
  Pose(VER_PLATFORM_WIN32s, 3, 10, 0x80000000u | 1, "");
  EXPECT_EQ("Windows 3.1 Version 3.10 (Build -2147483647 : )", Basic());

  Pose(3, 10, 0, 19041, "");
  EXPECT_EQ(" Version 10.0 (Build 19041 : )", Basic());

  // A failed query leaves the zeroed record.
  FFake.PlainRecordWorks = false;
  EXPECT_EQ("Windows 3.1 Version 0.0 (Build 0 : )", Basic());
}

TEST_F(WindowsVersionTest, SafeTextFallsBackStepByStep) {
  Pose(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2", VER_NT_WORKSTATION);
  EXPECT_EQ("Microsoft Windows XP Professional Service Pack 2 (Build 2600)", GetSafeWindowsVersionText(FApi));

  // Only the detailed text raises: the basic one takes over.
  struct TThrowOnce {
    static BOOL WINAPI GetVersionEx(LPOSVERSIONINFOA info) {
      if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) throw std::runtime_error("posed failure");
      return FakeGetVersionEx(info);
    }
  };
  FApi.GetVersionInfo = &TThrowOnce::GetVersionEx;
  EXPECT_EQ("Windows NT Version 5.1 (Build 2600 : Service Pack 2)", GetSafeWindowsVersionText(FApi));

  FApi.GetVersionInfo = &FakeGetVersionEx;
  FFake.ThrowFromVersionQuery = true;
  EXPECT_EQ("Microsoft Windows", GetSafeWindowsVersionText(FApi));
}

}  // namespace
