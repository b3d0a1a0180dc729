#pragma once
#include <windows.h>
#include <string>

#include "base/Owned.h"

struct TFontDescription {
  std::string Face = "Arial";
  int Height = -13;  // negative: character height in pixels
  // The character set of the system's ANSI code page: double-byte names
  // under code page 932 are drawn as what they are, not as code page 1252.
  BYTE CharSet = DEFAULT_CHARSET;
  bool Underline = false;
};

TOwnedGdiObject CreateFontFromDescription(const TFontDescription& description);
