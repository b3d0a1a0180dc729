// The tray animation frames at every size, loaded from the program's real
// resources and checked pixel by pixel for what every frame is: 3 x 3 square
// cells, each all cyan or all black, transparent between and around them,
// and cells that turn cyan one at a time and stay so.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "resources/FrameIds.h"
#include "sweep/SweepFrames.h"
#include "tray/TrayIconSize.h"

namespace {

// A bitmap's size x size pixels as top-down 32-bit 0x00RRGGBB values.
std::vector<DWORD> Pixels(HBITMAP bitmap, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(size * size);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(size, rows);
  for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
  return pixels;
}

// Where the cells are along one axis, from the opaque pixels of a mask: the
// cell (0-2) of each pixel, -1 on a line. Fails unless there are exactly
// three runs of one length.
std::vector<int> CellsAlong(const std::vector<DWORD>& mask, int size, bool columns) {
  std::vector<int> cell(size, -1);
  std::vector<int> runs;
  for (int i = 0; i < size; ++i) {
    bool opaque = false;
    for (int j = 0; j < size; ++j) opaque |= mask[columns ? j * size + i : i * size + j] == 0;
    if (!opaque) continue;
    if (i == 0 || cell[i - 1] < 0) runs.push_back(0);
    ++runs.back();
    cell[i] = static_cast<int>(runs.size()) - 1;
  }
  EXPECT_EQ(3u, runs.size());
  for (int run : runs) EXPECT_EQ(runs.front(), run) << (columns ? "a column" : "a row") << " of cells";
  return cell;
}

TEST(FramesTest, EveryFrameIsCellsOfOneColourThatTurnCyanOneAtATime) {
  for (const int size : TrayArtSizes) {
    SCOPED_TRACE(testing::Message() << size << " pixels");
    const std::unique_ptr<TImageList> list = LoadSweepFrames(size);
    ASSERT_TRUE(list);
    ASSERT_EQ(size, list->ImageSize());
    ASSERT_EQ(11, list->Count());

    std::vector<int> columnCell, rowCell;
    std::set<std::pair<int, int>> cyanBefore;
    for (int frame = 0; frame < 11; ++frame) {
      TOwnedIcon icon = list->GetIcon(frame);
      ASSERT_TRUE(icon) << "frame " << frame;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
      TOwnedGdiObject colour(info.hbmColor), mask(info.hbmMask);
      ASSERT_TRUE(colour && mask);
      const std::vector<DWORD> colours = Pixels(info.hbmColor, size);
      const std::vector<DWORD> masks = Pixels(info.hbmMask, size);
      if (frame == 0) {
        columnCell = CellsAlong(masks, size, true);
        rowCell = CellsAlong(masks, size, false);
        EXPECT_EQ(std::count(columnCell.begin(), columnCell.end(), 0), std::count(rowCell.begin(), rowCell.end(), 0))
            << "cells not square";
      }
      std::set<std::pair<int, int>> cyan;
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          SCOPED_TRACE(testing::Message() << "frame " << frame << " x " << x << " y " << y);
          const bool transparent = columnCell[x] < 0 || rowCell[y] < 0;
          const DWORD colourPixel = colours[y * size + x];
          EXPECT_EQ(transparent ? 0xFFFFFFu : 0u, masks[y * size + x]);
          // Black under the mask, so the icon leaves the screen as it is there.
          if (transparent) {
            EXPECT_EQ(0u, colourPixel);
            continue;
          }
          ASSERT_TRUE(colourPixel == 0x00FFFF || colourPixel == 0) << "neither cyan nor black: 0x" << std::hex
                                                                     << colourPixel;
          // A cell's colour is that of its first pixel; every other agrees.
          const std::pair<int, int> cell{rowCell[y], columnCell[x]};
          const bool cellStart = (x == 0 || columnCell[x - 1] < 0) && (y == 0 || rowCell[y - 1] < 0);
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
}

TEST(FramesTest, AnIndexOutsideTheListGivesNoIcon) {
  TImageList list;
  EXPECT_EQ(0, list.Count());
  EXPECT_FALSE(list.GetIcon(0));
  ASSERT_TRUE(list.AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES_16, IDB_SWEEP_FRAME_MASKS_16));
  EXPECT_FALSE(list.GetIcon(-1));
  EXPECT_FALSE(list.GetIcon(11));
  // A resource that is not there leaves the list as it was.
  EXPECT_FALSE(list.AddStrip(GetModuleHandleA(nullptr), 9999, IDB_SWEEP_FRAME_MASKS_16));
  EXPECT_EQ(11, list.Count());
}

}  // namespace
