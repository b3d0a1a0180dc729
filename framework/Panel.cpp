#include "framework/Panel.h"

#include "framework/AutoSize.h"

TPanel::TPanel(HWND parent, const RECT& bounds, COLORREF color, int borderWidth)
    : FBrush(CreateSolidBrush(color)), FBorderWidth(borderWidth) {
  CreateControl("TSweeperPanel", parent, bounds, true);
}

TPanel::~TPanel() { DestroyHandle(); }

void TPanel::AutoSizeToContents() {
  std::vector<TSizedControl> sized;
  for (TControl* control : FControls) sized.push_back({control->BoundsRect(), control->Visible()});
  TContentsLayout layout = LayoutToContents(sized, FBorderWidth);
  for (TControl* control : FControls) {
    if (control->Visible()) control->MoveBy(layout.ShiftX, layout.ShiftY);
  }
  RECT bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, layout.Width, layout.Height);
}

void TPanel::SetColor(COLORREF color) {
  FBrush.Reset(CreateSolidBrush(color));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(FBrush.Get()));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(FBrush.Get());
    default:
      return TControl::HandleMessage(msg, wParam, lParam);
  }
}
