#pragma once
// A hidden top-level window whose messages go to a callback. Top-level (not
// message-only) so that broadcasts such as "TaskbarCreated" reach it.
#include <functional>

#include "framework/Window.h"

class THiddenWindow : public TWindow {
public:
  // Return true when the message was handled; every other message gets the
  // default processing, so the window never blocks the end of a session.
  using THandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

  explicit THiddenWindow(THandler handler);
  ~THiddenWindow() override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  THandler FHandler;
};
