#include "framework/HiddenWindow.h"

THiddenWindow::THiddenWindow(THandler handler) : FHandler(std::move(handler)) {
  TWindowParams params;
  params.ClassName = "TSweeperHiddenWindow";
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.NeverShown = true;
  CreateHandle(params);
}

THiddenWindow::~THiddenWindow() { DestroyHandle(); }

LRESULT THiddenWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FHandler && FHandler(msg, wParam, lParam, result)) return result;
  return TWindow::HandleMessage(msg, wParam, lParam);
}
