#include "app/tree_pictures_win32.h"

#include <objbase.h>

#include <utility>

#include "widgets/picture_win32.h"
#include "widgets/tree_list_ctrl_win32.h"

namespace corvandel {
namespace {

// All the images drawn into one strip that goes into the image list at once,
// their red made the tree's transparent key.
HBITMAP DrawImageStrip(int size) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  CPixelBuffer strip;
  if (!strip.Fit(nullptr, {size * kTreeBitmapCount, size})) return nullptr;
  const RECT whole{0, 0, size * kTreeBitmapCount, size};
  HBRUSH mask = CreateSolidBrush(kTreeBitmapMask);
  FillRect(strip.dc(), &whole, mask);
  DeleteObject(mask);
  HDC from = CreateCompatibleDC(strip.dc());
  SetStretchBltMode(strip.dc(), COLORONCOLOR);
  for (int k = 0; k < kTreeBitmapCount; ++k) {
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(kFirstTreeBitmap + k));
    if (bitmap == nullptr) continue;
    // Enlarged pixel for pixel, so that the mask colour stays pure.
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    StretchBlt(strip.dc(), k * size, 0, size, size, from, 0, 0, kTreeBitmapSize, kTreeBitmapSize, SRCCOPY);
    SelectObject(from, oldFrom);
    DeleteObject(bitmap);
  }
  DeleteDC(from);
  GdiFlush();
  const DWORD red = PixelOf(kTreeBitmapMask), key = PixelOf(kTreeTransparentKey);
  for (int y = 0; y < size; ++y) {
    DWORD* row = strip.Row(y);
    for (int x = 0; x < size * kTreeBitmapCount; ++x)
      if ((row[x] & 0x00FFFFFF) == red) row[x] = key;
  }
  return strip.Release();
}

}  // namespace

TreePictures::TreePictures(std::string backgroundPath, int imageSize)
    : maker_([this, path = std::move(backgroundPath), imageSize] {
        // The picture is decoded by OLE, in this thread's own apartment.
        const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        background_ = LoadPictureFile(path);
        if (com) CoUninitialize();
        strip_ = DrawImageStrip(imageSize);
      }) {}

TreePictures::~TreePictures() {
  Wait();
  if (background_ != nullptr) DeleteObject(background_);
  if (strip_ != nullptr) DeleteObject(strip_);
}

void TreePictures::Wait() {
  if (maker_.joinable()) maker_.join();
}

HBITMAP TreePictures::TakeBackground() {
  Wait();
  return std::exchange(background_, nullptr);
}

HBITMAP TreePictures::TakeStrip() {
  Wait();
  return std::exchange(strip_, nullptr);
}

}  // namespace corvandel
