#include "sweep/SweepFrames.h"

#include "base/Error.h"
#include "resources/FrameIds.h"

std::unique_ptr<TImageList> LoadSweepFrames() {
  try {
    auto frames = std::make_unique<TImageList>();
    if (frames->AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES, IDB_SWEEP_FRAME_MASKS)) return frames;
  } catch (const EError&) {
  }
  return nullptr;
}
