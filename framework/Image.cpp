#include "framework/Image.h"

TImage::TImage(HWND parent, const RECT& bounds, HICON icon) : FIcon(icon) {
  CreateControl("TSweeperImage", parent, bounds, true);
}

TImage::~TImage() { DestroyHandle(); }

LRESULT TImage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);
    FillParentBackground(dc, client);
    if (FIcon) DrawIconEx(dc, 0, 0, FIcon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    EndPaint(Handle(), &ps);
    return 0;
  }
  return TControl::HandleMessage(msg, wParam, lParam);
}
