#pragma once
// The information window's colours. As designed, a white panel with labels
// in the window-text colour and maroon and navy links. Under a high-contrast
// theme the panel takes the theme's window colour and the links its
// hot-light (hyperlink) colour: in the dark themes the window text is white,
// unreadable on white, and maroon and navy all but vanish on black.
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
