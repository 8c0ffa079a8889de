#include "widgets/picture_win32.h"

#include <ole2.h>
#include <olectl.h>

namespace corvandel {
namespace {

// A movable global memory block holding a whole file.
HGLOBAL ReadFileIntoGlobal(const std::string& path, DWORD* size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  *size = GetFileSize(file, nullptr);
  HGLOBAL memory = nullptr;
  if (*size != INVALID_FILE_SIZE && *size != 0) memory = GlobalAlloc(GMEM_MOVEABLE, *size);
  if (memory != nullptr) {
    void* bytes = GlobalLock(memory);
    DWORD read = 0;
    const bool complete = ReadFile(file, bytes, *size, &read, nullptr) && read == *size;
    GlobalUnlock(memory);
    if (!complete) memory = GlobalFree(memory);
  }
  CloseHandle(file);
  return memory;
}

}  // namespace

HBITMAP LoadPictureFile(const std::string& path) {
  DWORD size = 0;
  HGLOBAL memory = ReadFileIntoGlobal(path, &size);
  if (memory == nullptr) return nullptr;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {  // the stream frees the block
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HBITMAP copy = nullptr;
  if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                               reinterpret_cast<void**>(&picture)))) {
    OLE_HANDLE handle = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    // The picture owns its bitmap; the caller gets a copy that outlives it.
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)))
      copy = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0,
                                            0, LR_CREATEDIBSECTION));
    picture->Release();
  }
  stream->Release();
  return copy;
}

}  // namespace corvandel
