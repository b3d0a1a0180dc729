#include "framework/Placement.h"

POINT CenteredOrigin(const RECT& workArea, int windowWidth, int windowHeight) {
  POINT origin;
  origin.x = (workArea.right - workArea.left - windowWidth) / 2;
  origin.y = (workArea.bottom - workArea.top - windowHeight) / 2;
  return origin;
}

RECT PrimaryWorkArea() {
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  return workArea;
}
