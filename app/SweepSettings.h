#pragma once
// The sweep settings of the tray menu, top to bottom, written once: the menu
// is made from this table, and its test and the end-to-end tests' helper
// read it. Each caption carries its access key, so that a changed order
// moves no key.

struct TSweepSetting {
  int Percent;          // of the physical memory Windows reports
  const char* Caption;  // "&" marks the access key
  bool Default;         // drawn bold: the setting a user would take
};

inline constexpr TSweepSetting SweepSettings[] = {
    {90, "&90%", false}, {80, "&80%", false}, {70, "&70%", false}, {60, "&60%", false}, {50, "&50%", true},
    {40, "&40%", false}, {30, "&30%", false}, {20, "&20%", false}, {10, "&10%", false},
};
