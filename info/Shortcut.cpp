#include "info/Shortcut.h"

#include <shlobj.h>

#include <vector>

#include "framework/AnsiPath.h"
#include "framework/AnsiText.h"
#include "framework/ComPtr.h"
#include "info/ComError.h"

namespace {

constexpr char StartupArguments[] = "/starup";

void CheckCom(HRESULT result) {
  if (FAILED(result)) throw EComError(result);
}

}  // namespace

std::string ShortcutPath(const std::string& folder, const std::string& name) {
  return ExcludeTrailingBackslash(folder) + "\\" + name + ".lnk";
}

void CreateShortcut(const std::string& folder, const std::string& name, const TShortcutApi& api) {
  // An unknown folder (the shell could not name it) would otherwise put the
  // shortcut into the root of the current drive.
  if (folder.empty()) throw EError("Cannot create the shortcut \"" + name + "\": the folder is unknown");
  std::string exePath = ModuleFileName();

  IUnknown* created = nullptr;
  CheckCom(api.CreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&created)));
  TComPtr<IUnknown> object(created);
  TComPtr<IShellLinkA> link = QueryComInterface<IShellLinkA>(object.Get(), IID_IShellLinkA);
  if (!link) throw EInterfaceNotSupported();
  TComPtr<IPersistFile> file = QueryComInterface<IPersistFile>(link.Get(), IID_IPersistFile);
  if (!file) throw EInterfaceNotSupported();

  // The link object takes any text here; a target it cannot use shows in
  // the shortcut's properties, where the user can mend it.
  link.Get()->SetArguments(StartupArguments);
  link.Get()->SetPath(exePath.c_str());
  link.Get()->SetWorkingDirectory(ExtractFileDir(exePath).c_str());

  CheckCom(file.Get()->Save(AnsiToWide(ShortcutPath(folder, name)).data(), FALSE));
}
