#pragma once
// A library of the system folder, loaded by its full path and freed when the
// owner goes. The loader looks for a bare name in the program's own folder
// first, and a library of the same name placed there (by a download, an
// archive tool, another user) would run its code inside this program; a
// full path leaves it no room to choose.
#include <windows.h>

#include <string>

#include "base/Owned.h"

struct TModuleTraits {
  using H = HMODULE;
  static H None() { return nullptr; }
  static void Free(H h) { FreeLibrary(h); }
};
using TOwnedModule = TOwned<TModuleTraits>;

// The named function of a loaded module as the type F, or null when the
// module lacks it (or there is no module).
template <class F>
F ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// "<system folder>\name", or "" when the system cannot name its folder.
std::string SystemLibraryPath(const char* name);

class TSystemLibrary {
public:
  // Loads the library; Loaded() tells whether that worked.
  explicit TSystemLibrary(const char* name);

  bool Loaded() const { return static_cast<bool>(FModule); }

  // The named function as the type F (decltype(&TheFunction), so that the
  // compiler checks the calling convention), or null when the library is not
  // loaded or lacks it.
  template <class F>
  F Proc(const char* name) const {
    return ProcAddress<F>(FModule.Get(), name);
  }

  // Leaves the library loaded for the rest of the process.
  void KeepForProcess() { FModule.Release(); }

private:
  TOwnedModule FModule;
};
