#pragma once
// A pause of the main thread that still answers what is sent to it.
#include <windows.h>

// Waits the given time, handling the messages sent to this thread meanwhile
// (a close, the session-end query) and only those: posted messages (clicks,
// menu commands) stay queued for the message loop. WINAPI, so that it fills
// the same seam as Sleep.
void WINAPI WaitAnsweringSentMessages(DWORD milliseconds);
