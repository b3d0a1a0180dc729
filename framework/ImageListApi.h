#pragma once
// The image list functions of the system's comctl32.dll. comctl32 is not one
// of the libraries Windows always takes from its own folder, so it is loaded
// by full path at first use instead of being imported by name.
#include <windows.h>
#include <commctrl.h>

struct TImageListApi {
  decltype(&ImageList_Create) Create = nullptr;
  decltype(&ImageList_Add) Add = nullptr;
  decltype(&ImageList_GetImageCount) GetImageCount = nullptr;
  decltype(&ImageList_GetIcon) GetIcon = nullptr;
  decltype(&ImageList_Destroy) Destroy = nullptr;

  // All of them or none: a library that lacks one is not used at all.
  bool Loaded() const { return Create && Add && GetImageCount && GetIcon && Destroy; }
};

// Loaded once; the library then stays for the rest of the process, as long
// as any image list may live.
const TImageListApi& ImageListApi();
