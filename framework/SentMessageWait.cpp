#include "framework/SentMessageWait.h"

void WINAPI WaitAnsweringSentMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    // Windows counts a thread that has not called PeekMessage for 5 s as not
    // responding (IsHungAppWindow), and a logoff then waits on it or offers
    // to end it: one call every pause keeps a long sweep answering, whether
    // or not anything was sent. PM_QS_SENDMESSAGE handles sent messages only.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    // Wakes for a message sent meanwhile, handled by the next peek.
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_SENDMESSAGE) != WAIT_OBJECT_0) return;
  }
}
