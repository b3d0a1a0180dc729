#include "framework/Font.h"

#include "base/Error.h"

TOwnedGdiObject CreateFontFromDescription(const TFontDescription& description) {
  HFONT font = CreateFontA(description.Height, 0, 0, 0, FW_NORMAL, FALSE, description.Underline ? TRUE : FALSE, FALSE, description.CharSet,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           description.Face.c_str());
  if (!font) throw EError("Cannot create font " + description.Face);
  return TOwnedGdiObject(font);
}
