#include "sweep/SweepFrames.h"

#include "base/Error.h"
#include "resources/FrameIds.h"

namespace {

struct TFrameStrip {
  int Size;
  int ImageId;
  int MaskId;
};

// The first is the one for any size that has no strip of its own.
constexpr TFrameStrip FrameStrips[] = {{16, IDB_SWEEP_FRAMES_16, IDB_SWEEP_FRAME_MASKS_16},
                                       {20, IDB_SWEEP_FRAMES_20, IDB_SWEEP_FRAME_MASKS_20},
                                       {24, IDB_SWEEP_FRAMES_24, IDB_SWEEP_FRAME_MASKS_24},
                                       {32, IDB_SWEEP_FRAMES_32, IDB_SWEEP_FRAME_MASKS_32}};

const TFrameStrip& StripOfSize(int size) {
  for (const TFrameStrip& strip : FrameStrips)
    if (strip.Size == size) return strip;
  return FrameStrips[0];
}

}  // namespace

std::unique_ptr<TImageList> LoadSweepFrames(int size) {
  const TFrameStrip& strip = StripOfSize(size);
  try {
    auto frames = std::make_unique<TImageList>(strip.Size);
    if (frames->AddStrip(GetModuleHandleA(nullptr), strip.ImageId, strip.MaskId)) return frames;
  } catch (const EError&) {
  }
  return nullptr;
}
