// A label shows its ANSI caption as the system's code page spells it. Run a
// second time under code page 932 (see tests/CMakeLists.txt), where Wine has
// no Japanese font here and drew double-byte names as code page 1252.
#include <gtest/gtest.h>

#include <vector>

#include "base/Owned.h"
#include "framework/Font.h"
#include "framework/Label.h"

TEST(LabelText, IsSizedToTheCharactersTheAnsiCodePageMeans) {
  // "表示ソフト.exe" in Shift JIS; under code page 1252 just ten letters.
  const std::string caption = "\x95\x5c\x8e\xa6\x83\x5c\x83\x74\x83\x67.exe";
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, parent);
  RECT label{};
  {
    TLabel name(parent, RECT{0, 0, 10, 10}, caption);
    label = name.BoundsRect();
  }
  DestroyWindow(parent);

  std::vector<wchar_t> wide(64, L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, caption.data(), static_cast<int>(caption.size()), wide.data(), 63);
  TOwnedGdiObject font = CreateFontFromDescription(TFontDescription());
  RECT expected{0, 0, 0, 0};
  {
    TWindowDC dc(nullptr);
    TSelectedObject selected(dc.Get(), font.Get());
    DrawTextW(dc.Get(), wide.data(), length, &expected, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }

  EXPECT_EQ(expected.right - expected.left, label.right - label.left) << "code page " << GetACP();
  EXPECT_EQ(expected.bottom - expected.top, label.bottom - label.top);
}
