#include "framework/ImageList.h"

#include "base/Error.h"
#include "framework/ImageListApi.h"

namespace {
HIMAGELIST CreateList(int size) {
  const TImageListApi& api = ImageListApi();
  return api.Loaded() ? api.Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 4) : nullptr;
}
}  // namespace

TImageList::TImageList(int imageSize) : FImageSize(imageSize), FList(CreateList(imageSize)) {
  if (!FList) throw EError("The image list cannot be created");
}

bool TImageList::AddStrip(HINSTANCE module, int imageId, int maskId) {
  // A DIB section keeps the resource's exact colours whatever the depth of
  // the display; the mask stays a monochrome bitmap, as the list expects.
  TOwnedGdiObject image(LoadImageA(module, MAKEINTRESOURCEA(imageId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  TOwnedGdiObject mask(LoadImageA(module, MAKEINTRESOURCEA(maskId), IMAGE_BITMAP, 0, 0, LR_MONOCHROME));
  if (!image || !mask) return false;
  return ImageListApi().Add(FList.Get(), static_cast<HBITMAP>(image.Get()), static_cast<HBITMAP>(mask.Get())) >= 0;
}

int TImageList::Count() const { return ImageListApi().GetImageCount(FList.Get()); }

TOwnedIcon TImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return TOwnedIcon();
  return TOwnedIcon(ImageListApi().GetIcon(FList.Get(), index, ILD_NORMAL));
}
