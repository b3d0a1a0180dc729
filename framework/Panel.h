#pragma once
// A borderless panel in a solid colour that can size itself to the visible
// controls placed on it.
#include <vector>

#include "framework/Control.h"
#include "base/Owned.h"

class TPanel : public TControl {
public:
  TPanel(HWND parent, const RECT& bounds, COLORREF color, int borderWidth);
  ~TPanel() override;

  // Registers a control lying on the panel for sizing to contents.
  void AddControl(TControl& control) { FControls.push_back(&control); }
  void AutoSizeToContents();
  // Repaints the panel and the transparent controls on it in the new colour.
  void SetColor(COLORREF color);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  TOwnedGdiObject FBrush;
  int FBorderWidth;
  std::vector<TControl*> FControls;
};
