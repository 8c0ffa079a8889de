// The tree's pictures, made on a second thread while the main window is
// created: the background decoded from its file, and the node images drawn
// side by side into one strip for the image list.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace corvandel {

// Node images: bitmap resources 132 to 161, image k being bitmap 132 + k,
// pure red transparent. In the strip the red is the tree's transparent key,
// so that the image list needs no mask: an image is drawn with one blit, and
// the tree shows its picture through the key.
inline constexpr int kFirstTreeBitmap = 132;
inline constexpr int kTreeBitmapCount = 30;
inline constexpr COLORREF kTreeBitmapMask = RGB(255, 0, 0);
inline constexpr int kTreeBitmapSize = 16;  // pixels each way, enlarged above 96 DPI

class TreePictures {
 public:
  // Starts making them: the background from backgroundPath, the images
  // imageSize pixels each way.
  TreePictures(std::string backgroundPath, int imageSize);
  ~TreePictures();
  TreePictures(const TreePictures&) = delete;
  TreePictures& operator=(const TreePictures&) = delete;

  // Each waits until the pictures are made; the caller owns what it takes.
  // A missing or undecodable background is nullptr.
  HBITMAP TakeBackground();
  // kTreeBitmapCount images in a row, transparent in kTreeTransparentKey; a
  // missing image leaves its place empty.
  HBITMAP TakeStrip();

 private:
  void Wait();

  HBITMAP background_ = nullptr;
  HBITMAP strip_ = nullptr;
  std::thread maker_;
};

}  // namespace corvandel
