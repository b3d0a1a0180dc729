#pragma once
// A top-level window owned by the application window. Closing runs the close
// query; a consenting close of the main form ends the message loop.
#include "framework/Window.h"

class TForm : public TWindow {
public:
  // Asks the form to close: runs the close query and, if it consents, ends
  // the message loop (main form) or the modal showing (modal form); any
  // other form is hidden.
  void Close();
  // A close consented to while the form was hidden and not yet the main form
  // of a running loop (nor shown since): a loop started for it ends at once.
  bool ClosedBeforeLoop() const { return FClosedBeforeLoop; }

  // Runs the close query alone and returns its answer.
  bool CloseQuery();

  void Show();
  void Hide();

  // Shows the form and runs messages until it closes or the application is
  // asked to end. Meanwhile every other visible, enabled top-level window of
  // the thread is disabled; hidden ones (the main form, the tray's window)
  // stay enabled so the tray menu keeps working.
  void ShowModal();

  // With key preview on, a key pressed or released anywhere in the form
  // reaches FormKeyDown or FormKeyUp before any control sees it.
  bool KeyPreview = false;

  // The form a key message belongs to, when it is one of ours with key preview.
  static TForm* KeyPreviewTarget(const MSG& msg);
  void PreviewKey(UINT msg, WPARAM key);
  void SessionEndCancelled() { FormSessionEndCancelled(); }

protected:
  // Creates the window with the application window as owner.
  void CreateForm(TWindowParams params);

  virtual void FormCloseQuery(bool& canClose) { (void)canClose; }
  virtual void FormShow() {}
  // Windows asked whether the session may end, then it did not end.
  virtual void FormSessionEndCancelled() {}
  virtual void FormKeyDown(WPARAM key) { (void)key; }
  virtual void FormKeyUp(WPARAM key) { (void)key; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  bool FModal = false;
  bool FModalEnded = false;
  bool FClosedBeforeLoop = false;
};
