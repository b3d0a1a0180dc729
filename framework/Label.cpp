#include "framework/Label.h"

#include <vector>

#include "base/WideText.h"

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

// The caption in the characters the ANSI code page means. Drawn through the
// ANSI call, a font that lacks the code page's character set (Wine without a
// Japanese font, say) would read double-byte names as code page 1252.
void TLabel::DrawCaption(HDC dc, RECT& area, UINT format) const {
  const TWideText caption = TWideText::FromAnsi(Caption());
  TSelectedObject font(dc, FFont.Get());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

void TLabel::AutoSize() {
  TWindowDC dc(Handle());
  RECT text{0, 0, 0, 0};
  DrawCaption(dc.Get(), text, DT_CALCRECT);
  RECT bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, text.right - text.left, text.bottom - text.top);
}

void TLabel::Paint() {
  TPaintDC paint(Handle());
  HDC dc = paint.Get();
  RECT client;
  GetClientRect(Handle(), &client);
  FillParentBackground(dc, client);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FColor);
  DrawCaption(dc, client, FCentredVertically ? DT_VCENTER : DT_TOP);
}

// Shown as made and on the screen now. A window's visible flag alone is not
// enough: anyone can set it with WM_SETREDRAW.
bool TLabel::Showing() const { return Visible() && IsWindowVisible(Handle()); }

void TLabel::ButtonDown() {
  // A hidden label cannot be pressed, whatever message says so.
  if (!Showing()) return;
  SetCapture(Handle());
  FPressed = true;
}

bool TLabel::ButtonUpClicks(LPARAM at) {
  const bool pressedHere = FPressed && GetCapture() == Handle();
  FPressed = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  RECT client;
  GetClientRect(Handle(), &client);
  const POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  return pressedHere && Showing() && PtInRect(&client, point);
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
    // A click is a press and a release on the label, the mouse captured in
    // between: a release alone, or one after a press elsewhere, is none.
    case WM_LBUTTONDOWN:
      ButtonDown();
      return 0;
    case WM_CAPTURECHANGED:
      FPressed = false;
      return 0;
    case WM_LBUTTONUP:
      if (ButtonUpClicks(lParam) && OnClick) OnClick(*this);
      return 0;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wParam, lParam);
}
