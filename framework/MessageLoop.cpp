#include "framework/MessageLoop.h"

#include <algorithm>

#include "framework/ExceptionReport.h"

bool TMessageLoop::HandleMessage() {
  if (FTerminated) return false;
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got < 0) return false;
  if (got == 0) {
    // A quit the program did not post: another program asks it to end. It
    // ends as after any close request, its close query deciding, so the
    // icon goes and nothing is left half done.
    if (OnQuitRequest && !FTerminated) {
      try {
        OnQuitRequest();
      } catch (...) {
        ReportCurrentException();
      }
    }
  } else {
    Dispatch(msg);
  }
  return !FTerminated;
}

void TMessageLoop::Dispatch(const MSG& msg) {
  // DispatchMessage calls the LParam of a WM_TIMER as a timer procedure. The
  // program sets no timer procedures, so such a message can only come from
  // another process, pointing anywhere: it is dropped, never called.
  if (msg.message == WM_TIMER && msg.lParam != 0) return;
  // By index, read again each time: a filter may add or remove filters.
  for (std::size_t i = 0; i < FFilters.size(); ++i) {
    try {
      if (FFilters[i].second(msg)) return;
    } catch (...) {
      ReportCurrentException();
      return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TMessageLoop::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  // Only for loops that are not ours and so do not read the flag: a menu's
  // loop may take the quit for itself (Wine's does), so it is ended first.
  EndMenu();
  PostQuitMessage(0);
}

int TMessageLoop::AddFilter(TMessageFilter filter) {
  FFilters.emplace_back(++FLastFilterId, std::move(filter));
  return FLastFilterId;
}

void TMessageLoop::RemoveFilter(int id) {
  FFilters.erase(std::remove_if(FFilters.begin(), FFilters.end(), [id](const auto& filter) { return filter.first == id; }),
                 FFilters.end());
}
