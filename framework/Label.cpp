#include "framework/Label.h"

#include <vector>

TLabel::TLabel(HWND parent, const RECT& bounds, const std::string& caption, bool visible)
    : FFont(CreateFontFromDescription(TFontDescription())), FColor(GetSysColor(COLOR_WINDOWTEXT)) {
  CreateControl("TSweeperLabel", parent, bounds, visible, caption);
  AutoSize();
}

TLabel::~TLabel() { DestroyHandle(); }

std::string TLabel::Caption() const {
  int length = GetWindowTextLengthA(Handle());
  std::vector<char> text(length + 1);
  GetWindowTextA(Handle(), text.data(), length + 1);
  return std::string(text.data());
}

void TLabel::SetCaption(const std::string& caption) {
  SetWindowTextA(Handle(), caption.c_str());
  AutoSize();
}

void TLabel::SetFont(const TFontDescription& description) {
  FFont = CreateFontFromDescription(description);
  AutoSize();
}

void TLabel::SetColor(COLORREF color) {
  FColor = color;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TLabel::AutoSize() {
  const std::string caption = Caption();
  TWindowDC dc(Handle());
  HGDIOBJ old = SelectObject(dc.Get(), FFont.Get());
  RECT text{0, 0, 0, 0};
  DrawTextA(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc.Get(), old);
  RECT bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, text.right - text.left, text.bottom - text.top);
}

void TLabel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  FillParentBackground(dc, client);
  const std::string caption = Caption();
  HGDIOBJ old = SelectObject(dc, FFont.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FColor);
  UINT format = DT_SINGLELINE | DT_NOPREFIX | (FCentredVertically ? DT_VCENTER : DT_TOP);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &client, format);
  SelectObject(dc, old);
  EndPaint(Handle(), &ps);
}

LRESULT TLabel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT, without flicker
    case WM_SETCURSOR:
      if (FHandCursor) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONUP:
      if (OnClick) OnClick(*this);
      return 0;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wParam, lParam);
}
