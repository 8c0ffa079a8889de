// Pictures from files, decoded by the system's OLE picture loader (JPEG,
// GIF, BMP): the tree's background.
#pragma once

#include <windows.h>

#include <string>

namespace corvandel {

// The picture in the file as a bitmap the caller owns; nullptr when the file
// is missing or cannot be decoded.
HBITMAP LoadPictureFile(const std::string& path);

}  // namespace corvandel
