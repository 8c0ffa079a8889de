#include "widgets/small_file_win32.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace corvandel {
namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

}  // namespace

SmallFileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& contents) {
  HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SmallFileRead::kMissing
                                                                          : SmallFileRead::kUnreadable;
  }
  FileHandle file(opened);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > static_cast<LONGLONG>(limit))
    return SmallFileRead::kUnreadable;
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!data.empty() && (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
                        read != data.size()))
    return SmallFileRead::kUnreadable;
  contents = std::move(data);
  return SmallFileRead::kRead;
}

}  // namespace corvandel
