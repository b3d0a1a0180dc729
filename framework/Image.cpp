#include "framework/Image.h"

#include "base/Owned.h"

TImage::TImage(HWND parent, const RECT& bounds, HICON icon) : FIcon(icon) {
  CreateControl("TSweeperImage", parent, bounds, true);
}

TImage::~TImage() { DestroyHandle(); }

LRESULT TImage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    TPaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    FillParentBackground(paint.Get(), client);
    if (FIcon) DrawIconEx(paint.Get(), 0, 0, FIcon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    return 0;
  }
  return TControl::HandleMessage(msg, wParam, lParam);
}
