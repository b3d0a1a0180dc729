#pragma once
// A list of 16 x 16 images, each with a transparency mask, that hands out
// image i as a new icon owned by the caller.
#include <windows.h>
#include <commctrl.h>

#include "base/Owned.h"

class TImageList {
public:
  static constexpr int ImageSize = 16;

  TImageList();

  // Appends the images of a strip bitmap (16 x 16 images side by side) and
  // its monochrome mask strip, both bitmap resources of the module. Returns
  // false and leaves the list as it was when either cannot be had.
  bool AddStrip(HINSTANCE module, int imageId, int maskId);

  int Count() const;

  // Image index as a new icon, or an empty owner for an index that is not
  // in the list (or when the system cannot make the icon).
  TOwnedIcon GetIcon(int index) const;


private:
  TOwnedImageList FList;
};
