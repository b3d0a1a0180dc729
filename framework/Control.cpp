#include "framework/Control.h"

RECT TControl::BoundsRect() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::MoveBy(int dx, int dy) {
  RECT r = BoundsRect();
  SetWindowPos(Handle(), nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TControl::CreateControl(const char* className, HWND parent, const RECT& bounds, bool visible,
                             const std::string& text) {
  FVisible = visible;
  TWindowParams params;
  params.ClassName = className;
  params.Title = text;
  params.Style = WS_CHILD | (visible ? WS_VISIBLE : 0);
  params.Left = bounds.left;
  params.Top = bounds.top;
  params.Width = bounds.right - bounds.left;
  params.Height = bounds.bottom - bounds.top;
  params.Parent = parent;
  CreateHandle(params);
}

void TControl::FillParentBackground(HDC dc, const RECT& area) const {
  HWND parent = GetParent(Handle());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle())));
  FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
}
