// Memory inside another process, for the control messages whose parameter
// points at a structure (TVM_GETITEMA, LVM_GETITEMTEXTA): a pointer into the
// driver's own memory would mean nothing to the control.
#pragma once

#include <windows.h>

#include <cstddef>

namespace corvandel::e2e {

class RemoteBuffer {
 public:
  // size bytes in the process that owns window.
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr)
      address_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return address_ != nullptr; }
  // The address as the other process sees it.
  char* at(std::size_t offset) const { return address_ + offset; }

  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  std::size_t size_;
  HANDLE process_ = nullptr;
  char* address_ = nullptr;
};

}  // namespace corvandel::e2e
