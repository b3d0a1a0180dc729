#include "framework/ImageListApi.h"

#include "base/Owned.h"
#include "base/SystemLibrary.h"

const TImageListApi& ImageListApi() {
  static const TImageListApi api = [] {
    TSystemLibrary library("comctl32.dll");
    TImageListApi found;
    found.Create = library.Proc<decltype(&ImageList_Create)>("ImageList_Create");
    found.Add = library.Proc<decltype(&ImageList_Add)>("ImageList_Add");
    found.GetImageCount = library.Proc<decltype(&ImageList_GetImageCount)>("ImageList_GetImageCount");
    found.GetIcon = library.Proc<decltype(&ImageList_GetIcon)>("ImageList_GetIcon");
    found.Destroy = library.Proc<decltype(&ImageList_Destroy)>("ImageList_Destroy");
    if (!found.Loaded()) return TImageListApi();
    library.KeepForProcess();
    return found;
  }();
  return api;
}

void TImageListTraits::Free(H h) { ImageListApi().Destroy(h); }
