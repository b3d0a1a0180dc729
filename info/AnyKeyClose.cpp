#include "info/AnyKeyClose.h"

namespace {

// One bit per modifier key; Windows reports Shift, Ctrl and Alt without
// their side, but a posted message may name a side.
unsigned ModifierBit(WPARAM key) {
  switch (key) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return 1;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return 2;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return 4;
    case VK_LWIN: return 8;
    case VK_RWIN: return 16;
    default: return 0;
  }
}

}  // namespace

bool TAnyKeyClose::KeyDown(WPARAM key) {
  const unsigned modifier = ModifierBit(key);
  FHeld |= modifier;
  return modifier == 0;
}

bool TAnyKeyClose::KeyUp(WPARAM key) {
  const unsigned modifier = ModifierBit(key);
  if (!(FHeld & modifier)) return false;
  FHeld &= ~modifier;
  return FHeld == 0;
}
