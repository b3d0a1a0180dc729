#include "info/InfoFormColours.h"

namespace {

bool HighContrastOn(const TColourApi& api) {
  HIGHCONTRASTA contrast = {};
  contrast.cbSize = sizeof contrast;
  return api.ParametersInfo(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

TInfoFormColours InfoFormColours(const TColourApi& api) {
  const COLORREF text = api.SysColor(COLOR_WINDOWTEXT);
  if (HighContrastOn(api)) {
    const COLORREF link = api.SysColor(COLOR_HOTLIGHT);
    return {api.SysColor(COLOR_WINDOW), text, link, link};
  }
  return {RGB(255, 255, 255), text, RGB(128, 0, 0), RGB(0, 0, 128)};
}
