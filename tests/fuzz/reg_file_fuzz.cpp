// Registry files: any bytes either import, are written back unchanged to the
// same bytes, and export, import and export again to the same file; or are
// refused with a line number and change nothing.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "services/reg_file.h"

using namespace corvandel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  MemoryRegistry registry;
  std::string empty, error;
  FUZZ_CHECK(ExportRegistryText(registry, &empty, &error));

  RegistryFile file;
  if (!file.Read(std::string(bytes), "in.reg", registry, &error)) {
    FUZZ_CHECK(error.rfind("in.reg:", 0) == 0);
    std::string after;
    FUZZ_CHECK(ExportRegistryText(registry, &after, &error));
    FUZZ_CHECK(after == empty);
    return 0;
  }
  std::string same;
  FUZZ_CHECK(file.Rewrite({}, &same, &error) && same == bytes);
  std::string first;
  if (!ExportRegistryText(registry, &first, &error)) return 0;  // a key name with a line break cannot be written
  MemoryRegistry again;
  FUZZ_CHECK(RegistryFile().Read(first, "out.reg", again, &error));
  std::string second;
  FUZZ_CHECK(ExportRegistryText(again, &second, &error));
  FUZZ_CHECK(first == second);
  return 0;
}
