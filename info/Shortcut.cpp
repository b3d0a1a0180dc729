#include "info/Shortcut.h"

#include <shlobj.h>

#include "framework/AnsiPath.h"
#include "framework/ComPtr.h"
#include "framework/WidePath.h"
#include "info/ComError.h"
#include "info/ShellFolders.h"

namespace {

constexpr wchar_t StartupArguments[] = L"/starup";

void CheckCom(HRESULT result) {
  if (FAILED(result)) throw EComError(result);
}

}  // namespace

TWideText ShortcutPath(const std::string& folder, const TWideText& name) {
  return TWideText::FromAnsi(ExcludeTrailingBackslash(folder)) + L"\\" + name + L".lnk";
}

void CreateShortcut(const std::string& folder, const TWideText& name, const TShortcutApi& api) {
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

  // A shortcut the link object would not take whole (a target longer than it
  // holds, say) is never saved: it would start nothing.
  CheckCom(link.Get()->SetArguments(StartupArguments));
  CheckCom(link.Get()->SetPath(exePath.c_str()));
  CheckCom(link.Get()->SetWorkingDirectory(ExtractFileDir(exePath).c_str()));

  CheckCom(file.Get()->Save(ShortcutPath(folder, name).c_str(), FALSE));
}
