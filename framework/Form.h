#pragma once
// A top-level window owned by the application window. Closing runs the close
// query; a consenting close of the main form ends the message loop.
#include "framework/Window.h"

class TForm : public TWindow {
public:
  // Asks the form to close: runs the close query and, if it consents, ends
  // the message loop (main form) or the modal showing (modal form).
  void Close();

  // Runs the close query alone and returns its answer.
  bool CloseQuery();

  void Show();
  void Hide();

protected:
  // Creates the window with the application window as owner.
  void CreateForm(TWindowParams params);

  virtual void FormCloseQuery(bool& canClose) { (void)canClose; }
  // Called once a close has been agreed, before the loop is told to end.
  virtual void FormClosed() {}

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
