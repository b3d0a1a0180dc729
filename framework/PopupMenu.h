#pragma once
// Popup menus with tagged items and a default item. Popup returns the chosen
// item; its caller runs the item's OnClick later, from the message loop, not
// inside TrackPopupMenu.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Owned.h"

class TMenuItem {
public:
  TMenuItem(std::string caption, int tag = 0) : Caption(std::move(caption)), Tag(tag) {}

  std::string Caption;
  int Tag = 0;
  bool Default = false;
  std::function<void(TMenuItem& sender)> OnClick;

  // Adds a child item; the returned reference stays valid while this item lives.
  TMenuItem& Add(std::string caption, int tag = 0);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return FItems; }

private:
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

// Gives every caption an access key: the first letter or digit not yet taken
// by a sibling, marked with "&". Captions that already carry one keep it.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions);

class TPopupMenu {
public:
  TPopupMenu() : FItems("") {}
  TMenuItem& Items() { return FItems; }

  // Builds the Win32 menu of the current items. Item ids are 1-based
  // indexes into commands, which receives every item in menu order; each
  // item's data is its tag.
  TOwnedMenu BuildMenu(std::vector<TMenuItem*>& commands) const;

  // Opens the menu with its top-left corner at the screen point and returns
  // the item chosen, or null for none. Does nothing while the menu is
  // already open.
  TMenuItem* Popup(int x, int y, HWND owner);

private:
  TMenuItem FItems;
  bool FOpen = false;
};
