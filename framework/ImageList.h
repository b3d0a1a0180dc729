#pragma once
// A list of square images of one size, each with a transparency mask, that
// hands out image i as a new icon owned by the caller.
#include <windows.h>
#include <commctrl.h>

#include "base/Owned.h"

class TImageList {
public:
  explicit TImageList(int imageSize = 16);
  int ImageSize() const { return FImageSize; }

  // Appends the images of a strip bitmap (square images side by side) and
  // its monochrome mask strip, both bitmap resources of the module. Returns
  // false and leaves the list as it was when either cannot be had.
  bool AddStrip(HINSTANCE module, int imageId, int maskId);

  int Count() const;

  // Image index as a new icon, or an empty owner for an index that is not
  // in the list (or when the system cannot make the icon).
  TOwnedIcon GetIcon(int index) const;

private:
  int FImageSize;
  TOwnedImageList FList;
};
