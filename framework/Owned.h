#pragma once
// One owner type for every kind of handle: a traits struct says what "none"
// is and how the handle is freed, so nothing leaks on an error path.
#include <windows.h>
#include <commctrl.h>

template <class T>
class TOwned {
public:
  using H = typename T::H;

  explicit TOwned(H h = T::None()) noexcept : FH(h) {}
  ~TOwned() { Reset(); }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : FH(other.Release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const noexcept { return FH; }
  explicit operator bool() const noexcept { return FH != T::None(); }

  H Release() noexcept {
    H h = FH;
    FH = T::None();
    return h;
  }
  void Reset(H h = T::None()) noexcept {
    if (FH != T::None()) T::Free(FH);
    FH = h;
  }

private:
  H FH;
};

struct THandleTraits {
  using H = HANDLE;
  static H None() { return nullptr; }
  static void Free(H h) { CloseHandle(h); }
};
struct TIconTraits {
  using H = HICON;
  static H None() { return nullptr; }
  static void Free(H h) { DestroyIcon(h); }
};
struct TMenuTraits {
  using H = HMENU;
  static H None() { return nullptr; }
  static void Free(H h) { DestroyMenu(h); }
};
struct TKeyTraits {
  using H = HKEY;
  static H None() { return nullptr; }
  static void Free(H h) { RegCloseKey(h); }
};
struct TImageListTraits {
  using H = HIMAGELIST;
  static H None() { return nullptr; }
  static void Free(H h);  // through comctl32 loaded by full path (ImageListApi.cpp)
};
struct TGdiObjectTraits {
  using H = HGDIOBJ;
  static H None() { return nullptr; }
  static void Free(H h) { DeleteObject(h); }
};

using TOwnedHandle = TOwned<THandleTraits>;
using TOwnedIcon = TOwned<TIconTraits>;
using TOwnedMenu = TOwned<TMenuTraits>;
using TOwnedKey = TOwned<TKeyTraits>;
using TOwnedImageList = TOwned<TImageListTraits>;
using TOwnedGdiObject = TOwned<TGdiObjectTraits>;
