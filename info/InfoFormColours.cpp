#include "info/InfoFormColours.h"

#include <algorithm>
#include <cmath>

namespace {

bool HighContrastOn(const TColourApi& api) {
  HIGHCONTRASTA contrast = {};
  contrast.cbSize = sizeof contrast;
  return api.ParametersInfo(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

double RelativeLuminance(COLORREF colour) {
  auto linear = [](BYTE channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) + 0.0722 * linear(GetBValue(colour));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TInfoFormColours InfoFormColours(const TColourApi& api) {
  const COLORREF text = api.SysColor(COLOR_WINDOWTEXT);
  if (HighContrastOn(api)) {
    const COLORREF link = api.SysColor(COLOR_HOTLIGHT);
    return {api.SysColor(COLOR_WINDOW), text, link, link};
  }
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF readable = ContrastRatio(text, white) >= ReadableContrast ? text : RGB(0, 0, 0);
  return {white, readable, RGB(128, 0, 0), RGB(0, 0, 128)};
}
