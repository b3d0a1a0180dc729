#pragma once
// The thread's message loop, the outer one and the modal ones alike: waits
// for a message, lets the filters see it, dispatches it, and ends for good
// once the program is to end. It knows no windows: whoever needs a message
// before its window does registers a filter.
#include <windows.h>
#include <functional>
#include <utility>
#include <vector>

// Sees a message before it is dispatched; true when it has handled the
// message and it is not to be dispatched.
using TMessageFilter = std::function<bool(const MSG& msg)>;

class TMessageLoop {
public:
  TMessageLoop() = default;
  TMessageLoop(const TMessageLoop&) = delete;
  TMessageLoop& operator=(const TMessageLoop&) = delete;

  // A quit the program did not post itself: another program asks it to end.
  std::function<void()> OnQuitRequest;

  // Waits for and dispatches one message. Returns false once the program
  // ends: every loop, the outer one and the modal ones, then ends.
  bool HandleMessage();

  // The one decision that the program ends: every loop of ours reads the
  // flag after each message, so nothing queued before it runs after it.
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // A filter sees every message before it is dispatched, until it is
  // removed by the number AddFilter gave it.
  int AddFilter(TMessageFilter filter);
  void RemoveFilter(int id);

private:
  void Dispatch(const MSG& msg);

  std::vector<std::pair<int, TMessageFilter>> FFilters;
  int FLastFilterId = 0;
  bool FTerminated = false;
};
