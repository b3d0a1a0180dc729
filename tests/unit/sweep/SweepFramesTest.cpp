// The tray animation frames, loaded from the program's real resources and
// checked pixel by pixel for what every frame is: 3 x 3 cells, each all
// cyan or all black, transparent between and around them, and cells that
// turn cyan one at a time and stay so.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "framework/ImageList.h"
#include "resources/FrameIds.h"

namespace {

// The cell (0-2) covering a pixel row or column, or -1 on the lines between
// and around the cells (0, 5, 10, 15).
int CellOf(int pixel) { return pixel % 5 == 0 ? -1 : pixel / 5; }

// A bitmap's 16 x 16 pixels as top-down 32-bit 0x00RRGGBB values.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(16 * 16);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, 16, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(16, rows);
  for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
  return pixels;
}

TEST(FramesTest, EveryFrameIsCellsOfOneColourThatTurnCyanOneAtATime) {
  TImageList list;
  ASSERT_TRUE(list.AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES, IDB_SWEEP_FRAME_MASKS));
  ASSERT_EQ(11, list.Count());

  std::set<std::pair<int, int>> cyanBefore;
  for (int frame = 0; frame < 11; ++frame) {
    TOwnedIcon icon = list.GetIcon(frame);
    ASSERT_TRUE(icon) << "frame " << frame;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
    TOwnedGdiObject colour(info.hbmColor), mask(info.hbmMask);
    ASSERT_TRUE(colour && mask);
    const std::vector<DWORD> colours = Pixels(info.hbmColor);
    const std::vector<DWORD> masks = Pixels(info.hbmMask);
    std::set<std::pair<int, int>> cyan;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        SCOPED_TRACE(testing::Message() << "frame " << frame << " x " << x << " y " << y);
        const bool transparent = CellOf(x) < 0 || CellOf(y) < 0;
        const DWORD colourPixel = colours[y * 16 + x];
        EXPECT_EQ(transparent ? 0xFFFFFFu : 0u, masks[y * 16 + x]);
        // Black under the mask, so the icon leaves the screen as it is there.
        if (transparent) {
          EXPECT_EQ(0u, colourPixel);
          continue;
        }
        ASSERT_TRUE(colourPixel == 0x00FFFF || colourPixel == 0) << "neither cyan nor black: 0x" << std::hex
                                                                   << colourPixel;
        // A cell's colour is that of its first pixel; every other agrees.
        const std::pair<int, int> cell{CellOf(y), CellOf(x)};
        const bool cellStart = (x % 5 == 1) && (y % 5 == 1);
        if (cellStart && colourPixel) cyan.insert(cell);
        EXPECT_EQ(cyan.count(cell) != 0, colourPixel != 0);
      }
    }
    // The strip is read in its order: no cell goes dark, at most one lights.
    for (const auto& cell : cyanBefore) EXPECT_TRUE(cyan.count(cell)) << "frame " << frame << " lost a cyan cell";
    EXPECT_LE(cyan.size(), cyanBefore.size() + 1) << "frame " << frame;
    if (frame == 0) {
      EXPECT_TRUE(cyan.empty());
    } else if (frame == 10) {
      EXPECT_EQ(9u, cyan.size());
    }
    cyanBefore = cyan;
  }
}

TEST(FramesTest, AnIndexOutsideTheListGivesNoIcon) {
  TImageList list;
  EXPECT_EQ(0, list.Count());
  EXPECT_FALSE(list.GetIcon(0));
  ASSERT_TRUE(list.AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES, IDB_SWEEP_FRAME_MASKS));
  EXPECT_FALSE(list.GetIcon(-1));
  EXPECT_FALSE(list.GetIcon(11));
  // A resource that is not there leaves the list as it was.
  EXPECT_FALSE(list.AddStrip(GetModuleHandleA(nullptr), 9999, IDB_SWEEP_FRAME_MASKS));
  EXPECT_EQ(11, list.Count());
}

}  // namespace
