#pragma once
// One owner type for every kind of handle: a traits struct says what "none"
// is and how the handle is freed, so nothing leaks on an error path.
#include <windows.h>
#include <commctrl.h>

#include <atomic>

// How many handles of one kind TOwned objects hold right now. Kept in the
// program only for the long runs, which compare it before and after to show
// that nothing leaks: Wine's GetGuiResources is a stub that answers 0.
template <class T>
struct TLiveHandles {
  static inline std::atomic<long> Count{0};
};

// The traits are kept with the handle (at no cost when they hold nothing):
// a kind whose freeing call is chosen per handle (a key opened through a
// seam, closed through it) carries that call in them.
template <class T>
class TOwned : private T {
public:
  using H = typename T::H;

  explicit TOwned(H h = T::None(), T traits = T()) noexcept : T(traits), FH(h) { Counted(FH, +1); }
  ~TOwned() { Reset(); }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : T(static_cast<T&&>(other)), FH(other.FH) { other.FH = T::None(); }
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) {
      Reset();
      T::operator=(static_cast<T&&>(other));
      FH = other.FH;
      other.FH = T::None();
    }
    return *this;
  }

  H Get() const noexcept { return FH; }
  explicit operator bool() const noexcept { return FH != T::None(); }

  // Hands the handle over to the caller, who frees it from then on.
  H Release() noexcept {
    H h = FH;
    Counted(FH, -1);
    FH = T::None();
    return h;
  }
  void Reset(H h = T::None()) noexcept {
    if (FH != T::None()) {
      T::Free(FH);
      Counted(FH, -1);
    }
    FH = h;
    Counted(FH, +1);
  }

private:
  static void Counted(H h, long change) noexcept {
    if (h != T::None()) TLiveHandles<T>::Count += change;
  }

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
  decltype(&RegCloseKey) Close = &RegCloseKey;  // a seam's, for a key opened through one
  void Free(H h) const { Close(h); }
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

// A window's device context, released to the window it came from.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};

// An object selected into a device context while this lives; the object it
// replaced is selected again when it goes.
class TSelectedObject {
public:
  TSelectedObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
  ~TSelectedObject() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// One painting of a window: BeginPaint when made, EndPaint exactly once when
// it goes, however the painting code is left.
class TPaintDC {
public:
  explicit TPaintDC(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPaint)) {}
  ~TPaintDC() { EndPaint(FWnd, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};
