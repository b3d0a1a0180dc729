#pragma once
#include <windows.h>
#include <string>

#include "framework/Owned.h"

struct TFontDescription {
  std::string Face = "Arial";
  int Height = -13;  // negative: character height in pixels
  BYTE CharSet = ANSI_CHARSET;
  bool Underline = false;
};

TOwnedGdiObject CreateFontFromDescription(const TFontDescription& description);
