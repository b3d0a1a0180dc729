#include "framework/Form.h"

#include "framework/Application.h"

void TForm::CreateForm(TWindowParams params) {
  if (TApplication* app = TApplication::Current()) params.Parent = app->Handle();
  CreateHandle(params);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

void TForm::Close() {
  if (!CloseQuery()) return;
  FormClosed();
  TApplication* app = TApplication::Current();
  if (app && app->MainForm() == this) app->Terminate();
}

void TForm::Show() { ShowWindow(Handle(), SW_SHOW); }

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return CloseQuery() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam) {
        if (TApplication* app = TApplication::Current()) app->Terminate();
      }
      return 0;
    default:
      return TWindow::HandleMessage(msg, wParam, lParam);
  }
}
