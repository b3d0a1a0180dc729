#pragma once
// The information window's colours: a white panel with labels in the
// window-text colour and maroon and navy links, the look of the window on
// every ordinary scheme. Window text that would be unreadable on white (a
// classic scheme with light window text) gives way to black. Under a
// high-contrast theme the panel takes the theme's window colour and the
// links its hot-light (hyperlink) colour: in the dark themes the window text
// is white, unreadable on white, and maroon and navy all but vanish on black.
#include <windows.h>

// The two system calls the colours depend on, replaceable so tests can pose
// as any theme (Wine always reports high contrast off).
struct TColourApi {
  decltype(&SystemParametersInfoA) ParametersInfo = &SystemParametersInfoA;
  decltype(&GetSysColor) SysColor = &GetSysColor;
};

struct TInfoFormColours {
  COLORREF Panel;
  COLORREF Text;
  COLORREF ActionLink;  // the shortcut and folder links
  COLORREF WebLink;     // the web and mail addresses
};

TInfoFormColours InfoFormColours(const TColourApi& api = TColourApi());

// The contrast ratio of WCAG 2.x between two colours, from 1 (none) to 21
// (black on white); text of normal size needs 4.5 to be readable.
double ContrastRatio(COLORREF a, COLORREF b);
constexpr double ReadableContrast = 4.5;
