// The tray animation frames, loaded from the program's real resources and
// checked pixel by pixel against the frame table.
#include <gtest/gtest.h>

#include <vector>

#include "framework/ImageList.h"
#include "resources/FrameIds.h"

namespace {

// The frame table: how many cells are cyan in each frame, the cells filling
// in a snake (top row left to right, middle row right to left, bottom row
// left to right). Frame 6 repeats frame 5.
const int CyanCells[11] = {0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9};
const int Snake[9][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}};

// The cell (0-2) covering a pixel row or column, or -1 on the lines between
// and around the cells (0, 5, 10, 15).
int CellOf(int pixel) { return pixel % 5 == 0 ? -1 : pixel / 5; }

bool IsCyan(int frame, int row, int column) {
  for (int i = 0; i < CyanCells[frame]; ++i)
    if (Snake[i][0] == row && Snake[i][1] == column) return true;
  return false;
}

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

TEST(FramesTest, EveryPixelAndMaskBitMatchesTheTable) {
  TImageList list;
  ASSERT_TRUE(list.AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES, IDB_SWEEP_FRAME_MASKS));
  ASSERT_EQ(11, list.Count());

  for (int frame = 0; frame < 11; ++frame) {
    TOwnedIcon icon = list.GetIcon(frame);
    ASSERT_TRUE(icon) << "frame " << frame;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
    TOwnedGdiObject colour(info.hbmColor), mask(info.hbmMask);
    ASSERT_TRUE(colour && mask);
    const std::vector<DWORD> colours = Pixels(info.hbmColor);
    const std::vector<DWORD> masks = Pixels(info.hbmMask);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool transparent = CellOf(x) < 0 || CellOf(y) < 0;
        const DWORD maskPixel = masks[y * 16 + x];
        const DWORD colourPixel = colours[y * 16 + x];
        SCOPED_TRACE(testing::Message() << "frame " << frame << " x " << x << " y " << y);
        EXPECT_EQ(transparent ? 0xFFFFFFu : 0u, maskPixel);
        // Black under the mask, so the icon leaves the screen as it is there.
        const DWORD expected = transparent ? 0 : IsCyan(frame, CellOf(y), CellOf(x)) ? 0x00FFFF : 0x000000;
        EXPECT_EQ(expected, colourPixel);
      }
    }
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
