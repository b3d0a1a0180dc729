#pragma once
// The tray icon's animation frames, from the program's resources.
#include <memory>

#include "framework/ImageList.h"

// The 11 frames at the size given, one of the tray's art sizes (16 where it
// is none of them), or null when they cannot be had: a sweep then still runs
// and reports, and the icon stays still.
std::unique_ptr<TImageList> LoadSweepFrames(int size = 16);
