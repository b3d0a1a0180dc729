#pragma once
// Shows one icon (not owned) on the parent's background.
#include "framework/Control.h"

class TImage : public TControl {
public:
  TImage(HWND parent, const RECT& bounds, HICON icon);
  ~TImage() override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  HICON FIcon;
};
