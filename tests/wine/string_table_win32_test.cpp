// The STRINGTABLE resource linked into this test program is compiled from the
// same .rc as Corvandel.exe; LoadStringA must find exactly the built-in table.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "services/builtin_strings.h"

namespace corvandel {
namespace {

std::string LoadResourceString(int id) {
  char buffer[1024] = {};
  const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof(buffer));
  return std::string(buffer, length > 0 ? length : 0);
}

TEST(StringTableResource, AgreesWithTheBuiltinTable) {
  for (const auto& entry : BuiltinStrings()) EXPECT_EQ(entry.text, LoadResourceString(entry.id)) << entry.id;
}

TEST(StringTableResource, HoldsNoOtherStringsNearTheTable) {
  for (int id = 0; id < 2100; ++id) {
    if (!BuiltinString(id).empty()) continue;
    EXPECT_EQ("", LoadResourceString(id)) << id;
  }
}

}  // namespace
}  // namespace corvandel
