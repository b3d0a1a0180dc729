#include "framework/PopupMenu.h"

#include <cctype>
#include <set>

#include "base/Error.h"

TMenuItem& TMenuItem::Add(std::string caption, int tag) {
  FItems.push_back(std::make_unique<TMenuItem>(std::move(caption), tag));
  return *FItems.back();
}

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions) {
  std::set<char> taken;
  auto markedKey = [](const std::string& caption) -> char {
    std::size_t amp = caption.find('&');
    if (amp != std::string::npos && amp + 1 < caption.size() && caption[amp + 1] != '&')
      return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
    return 0;
  };
  for (const std::string& caption : captions)
    if (char key = markedKey(caption)) taken.insert(key);

  std::vector<std::string> result;
  for (const std::string& caption : captions) {
    std::string marked = caption;
    if (!markedKey(caption)) {
      for (std::size_t i = 0; i < caption.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(caption[i]);
        if (c >= 0x80) break;  // only plain ASCII letters and digits serve as keys
        char key = static_cast<char>(std::toupper(c));
        if (std::isalnum(c) && !taken.count(key)) {
          taken.insert(key);
          marked.insert(i, "&");
          break;
        }
      }
    }
    result.push_back(marked);
  }
  return result;
}

namespace {

TOwnedMenu BuildLevel(const TMenuItem& parent, std::vector<TMenuItem*>& commands) {
  TOwnedMenu menu(CreatePopupMenu());
  if (!menu) throw EError("Cannot create a menu");
  std::vector<std::string> captions;
  for (const auto& item : parent.Items()) captions.push_back(item->Caption);
  captions = WithAccessKeys(captions);

  UINT position = 0;
  for (const auto& item : parent.Items()) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_DATA | MIIM_ID | MIIM_STATE;
    info.dwTypeData = const_cast<char*>(captions[position].c_str());
    info.dwItemData = static_cast<ULONG_PTR>(item->Tag);
    info.fState = item->Default ? MFS_DEFAULT : 0;
    commands.push_back(item.get());
    info.wID = static_cast<UINT>(commands.size());
    TOwnedMenu submenu;
    if (!item->Items().empty()) {
      submenu = BuildLevel(*item, commands);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = submenu.Get();
    }
    if (!InsertMenuItemA(menu.Get(), position, TRUE, &info)) throw EError("Cannot add a menu item");
    // Attached, the submenu is destroyed with its parent.
    submenu.Release();
    ++position;
  }
  return menu;
}

}  // namespace

TOwnedMenu TPopupMenu::BuildMenu(std::vector<TMenuItem*>& commands) const {
  commands.clear();
  return BuildLevel(FItems, commands);
}

TMenuItem* TPopupMenu::Popup(int x, int y, HWND owner) {
  // The open menu's loop dispatches the clicks that reach the tray icon
  // meanwhile; under Wine each one opened another menu over it (Windows
  // refuses a second one on the thread).
  if (FOpen) return nullptr;
  std::vector<TMenuItem*> commands;
  TOwnedMenu menu = BuildMenu(commands);
  FOpen = true;
  // TPM_RETURNCMD keeps the choice away from WM_COMMAND, which any other
  // process could post; the choice is returned instead.
  UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  FOpen = false;
  if (chosen == 0 || chosen > commands.size()) return nullptr;
  return commands[chosen - 1];
}
