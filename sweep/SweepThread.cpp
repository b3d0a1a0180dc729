#include "sweep/SweepThread.h"

#include <process.h>

#include "base/Error.h"

TSweepThread::TSweepThread(SIZE_T size, const TVirtualMemoryApi& api) : FApi(api) {
  // The C runtime's thread start, not CreateThread: the body uses the
  // runtime (exceptions), which wants its per-thread data set up.
  // Suspended, so that the fields are set before the body can read them.
  FThread.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadEntry, this, CREATE_SUSPENDED, nullptr)));
  if (!FThread) throw EError("The sweep cannot be started");
  FDone.store(false, std::memory_order_relaxed);
  FSize = size;
  if (ResumeThread(FThread.Get()) == static_cast<DWORD>(-1)) {
    // A thread that never ran must not stay behind pointing at this object.
    TerminateThread(FThread.Get(), 0);
    throw EError("The sweep cannot be started");
  }
}

TSweepThread::~TSweepThread() { Join(); }

std::uint64_t TSweepThread::Join() {
  if (FThread) WaitForSingleObject(FThread.Get(), INFINITE);
  return FSwept;
}

unsigned WINAPI TSweepThread::ThreadEntry(void* self) {
  static_cast<TSweepThread*>(self)->Execute();
  return 0;
}

void TSweepThread::Execute() {
  try {
    FSwept = SweepMemory(FSize, FApi, &FStop);
  } catch (...) {
    // Nothing may leave a thread's entry. What was got has been given back
    // on the way out of SweepMemory; the report tells how much was swept.
  }
  FDone.store(true, std::memory_order_release);
}
