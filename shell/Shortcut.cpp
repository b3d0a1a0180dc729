#include "shell/Shortcut.h"

#include <shlobj.h>

#include <vector>

#include "base/AnsiPath.h"
#include "base/ComPtr.h"
#include "base/WidePath.h"
#include "shell/ComError.h"

namespace {

// The program's own spelling, written into every Startup shortcut it has
// ever made: kept on purpose, so that all of them stay alike.
constexpr wchar_t StartupArguments[] = L"/starup";

void CheckCom(HRESULT result) {
  if (FAILED(result)) throw EComError(result);
}

// What is raised when the link object does not take a text whole.
const HRESULT NotTaken = HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME);

// The link object answers S_OK when it takes a text whole; Wine's answers
// S_FALSE for a target it cannot make out.
void CheckLinkContents(HRESULT result) {
  if (result != S_OK) throw EComError(FAILED(result) ? result : NotTaken);
}

// The path with every folder and file in its long form; as given when that
// cannot be had (a file that does not exist, say).
TWideText LongPathName(const wchar_t* path) {
  const DWORD size = GetLongPathNameW(path, nullptr, 0);
  if (size == 0) return path;
  std::vector<wchar_t> buffer(size, L'\0');
  const DWORD length = GetLongPathNameW(path, buffer.data(), size);
  if (length == 0 || length >= size) return path;
  return TWideText(buffer.data(), length);
}

// Wine's link object also answers S_OK for a target longer than MAX_PATH and
// keeps none of it: the shortcut would start nothing. So the target is read
// back. Windows' object gives it back rebuilt with long names, so a program
// started through a short (8.3) path is compared in the long form of both.
void CheckLinkTarget(IShellLinkW* link, const TWideText& target) {
  std::vector<wchar_t> kept(MAX_PATH + target.size() + 2, L'\0');
  HRESULT result = link->GetPath(kept.data(), static_cast<int>(kept.size()), nullptr, SLGP_RAWPATH);
  if (result != S_OK || lstrcmpiW(LongPathName(kept.data()).c_str(), LongPathName(target.c_str()).c_str()) != 0)
    throw EComError(FAILED(result) ? result : NotTaken);
}

}  // namespace

TWideText ShortcutPath(const TWideText& folder, const TWideText& name) {
  return ExcludeTrailingBackslash(folder) + L"\\" + name + L".lnk";
}

void CreateShortcut(const TWideText& folder, const TWideText& name, const TShortcutApi& api) {
  // An unknown folder (the shell could not name it) would otherwise put the
  // shortcut into the root of the current drive.
  if (folder.empty()) throw EUnknownFolder("Cannot create the shortcut \"" + name.ToAnsi() + "\"");
  const TWideText exePath = WideModuleFileName();

  IUnknown* created = nullptr;
  CheckCom(api.CreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&created)));
  TComPtr<IUnknown> object(created);
  TComPtr<IShellLinkW> link = QueryComInterface<IShellLinkW>(object.Get(), IID_IShellLinkW);
  if (!link) throw EInterfaceNotSupported();
  TComPtr<IPersistFile> file = QueryComInterface<IPersistFile>(link.Get(), IID_IPersistFile);
  if (!file) throw EInterfaceNotSupported();

  // A shortcut the link object would not take whole is never saved: it
  // would start nothing.
  CheckLinkContents(link.Get()->SetArguments(StartupArguments));
  CheckLinkContents(link.Get()->SetPath(exePath.c_str()));
  CheckLinkTarget(link.Get(), exePath);
  CheckLinkContents(link.Get()->SetWorkingDirectory(ExtractFileDir(exePath).c_str()));

  CheckCom(file.Get()->Save(ShortcutPath(folder, name).c_str(), FALSE));
}

void CreateShortcutIn(HWND owner, TSpecialFolder folder, const TWideText& name, const TSpecialFolderApi& folders,
                      const TShortcutApi& api) {
  CreateShortcut(GetSpecialFolder(owner, folder, fcIfMissing, folders), name, api);
}
