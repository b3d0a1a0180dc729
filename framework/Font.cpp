#include "framework/Font.h"

#include "framework/Error.h"

TOwnedGdiObject CreateFontFromSpec(const TFontSpec& spec) {
  HFONT font = CreateFontA(spec.Height, 0, 0, 0, FW_NORMAL, FALSE, spec.Underline ? TRUE : FALSE, FALSE, spec.CharSet,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           spec.Face.c_str());
  if (!font) throw EError("Cannot create font " + spec.Face);
  return TOwnedGdiObject(font);
}
