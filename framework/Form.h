#pragma once
// A top-level window with an owner and a message loop, both given by whoever
// makes it. Closing runs the close query; a consenting close of the main
// form ends the message loop.
#include "framework/MessageLoop.h"
#include "framework/Window.h"

// What a form is made with: the window that owns it (and answers the end of
// the session for it), and the loop that its closing and modal showing use.
struct TFormContext {
  HWND Owner;
  TMessageLoop& Loop;
};

class TForm : public TWindow {
public:
  explicit TForm(const TFormContext& context);
  ~TForm() override;

  // Asks the form to close: runs the close query and, if it consents, ends
  // the message loop (main form) or the modal showing (modal form); any
  // other form is hidden.
  void Close();
  // A close consented to while the form was hidden and not yet the main form
  // of a running loop (nor shown since): a loop started for it ends at once.
  bool ClosedBeforeLoop() const { return FClosedBeforeLoop; }

  // Whether a consenting close ends the loop: set by whoever runs the loop
  // for this form, for as long as it runs.
  void SetMainForm(bool isMain) { FIsMainForm = isMain; }

  // Runs the close query alone and returns its answer.
  bool CloseQuery();

  void Show();
  void Hide();

  // Shows the form and runs messages until it closes or the loop ends.
  // Meanwhile every other visible, enabled top-level window of the thread is
  // disabled; hidden ones (the main form, the tray's window) stay enabled so
  // the tray menu keeps working.
  void ShowModal();

  // With key preview on, a key pressed or released anywhere in the form
  // reaches FormKeyDown or FormKeyUp before any control sees it.
  bool KeyPreview = false;

  void SessionEndCancelled() { FormSessionEndCancelled(); }

protected:
  // Creates the window, owned by the context's owner window.
  void CreateForm(TWindowParams params);

  virtual void FormCloseQuery(bool& canClose) { (void)canClose; }
  virtual void FormShow() {}
  // Windows asked whether the session may end, then it did not end.
  virtual void FormSessionEndCancelled() {}
  virtual void FormKeyDown(WPARAM key) { (void)key; }
  virtual void FormKeyUp(WPARAM key) { (void)key; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  // Key preview, as a filter of the loop.
  bool PreTranslateMessage(const MSG& msg);
  void PreviewKey(UINT msg, WPARAM key);

  const HWND FOwner;
  TMessageLoop& FLoop;
  const int FKeyPreviewFilter;
  bool FIsMainForm = false;
  bool FModal = false;
  bool FModalEnded = false;
  bool FClosedBeforeLoop = false;
};
