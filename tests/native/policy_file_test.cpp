// Registry.pol files read back by a reader that follows the documented
// layout on its own, and one file checked byte for byte against the layout
// worked out by hand.
#include <gtest/gtest.h>

#include <stdexcept>

#include "services/policy_file.h"

namespace corvandel {
namespace {

using namespace std::literals;

struct Record {
  std::u16string key, value;
  std::uint32_t type = 0;
  std::string data;
  bool operator==(const Record&) const = default;
};

// "PReg", version 1, then [key;value;type;size;data] records; the five
// delimiters are UTF-16LE characters, key and value zero-terminated UTF-16LE.
std::vector<Record> ReadPolicy(const std::string& bytes) {
  std::size_t at = 0;
  auto unit = [&] {
    if (at + 2 > bytes.size()) throw std::runtime_error("cut off at " + std::to_string(at));
    const char16_t u = static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
    at += 2;
    return u;
  };
  auto dword = [&] {
    const std::uint32_t low = unit(), high = unit();
    return low | high << 16;
  };
  auto expect = [&](char16_t c) {
    if (unit() != c) throw std::runtime_error("expected a delimiter at " + std::to_string(at - 2));
  };
  auto text = [&] {
    std::u16string s;
    for (char16_t u; (u = unit()) != 0;) s += u;
    return s;
  };
  if (bytes.compare(0, 4, "PReg") != 0) throw std::runtime_error("no signature");
  at = 4;
  if (dword() != 1) throw std::runtime_error("not version 1");
  std::vector<Record> records;
  while (at < bytes.size()) {
    Record r;
    expect(u'[');
    r.key = text();
    expect(u';');
    r.value = text();
    expect(u';');
    r.type = dword();
    expect(u';');
    const std::uint32_t size = dword();
    expect(u';');
    if (at + size > bytes.size()) throw std::runtime_error("data cut off");
    r.data = bytes.substr(at, size);
    at += size;
    expect(u']');
    records.push_back(std::move(r));
  }
  return records;
}

std::string Wide(std::u16string_view text) {
  std::string out;
  for (char16_t u : text) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(PolicyFileTest, EveryKindOfChangeReadsBackAsItsRecord) {
  const struct {
    RegChange change;
    Record record;
  } rows[] = {
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "Text", reg::kSz, Bytes("abc")},
       {u"Software\\T", u"Text", reg::kSz, Wide(u"abc\0"sv)}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "Path", reg::kExpandSz, Bytes(std::string("%W%\0", 4))},
       {u"Software\\T", u"Path", reg::kExpandSz, Wide(u"%W%\0"sv)}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "N", reg::kDword, {1, 2, 3, 4}},
       {u"Software\\T", u"N", reg::kDword, "\x01\x02\x03\x04"}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "B", reg::kBinary, {0, 0xFF}},
       {u"Software\\T", u"B", reg::kBinary, std::string("\0\xFF", 2)}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "", reg::kSz, Bytes("d")},
       {u"Software\\T", u"", reg::kSz, Wide(u"d\0"sv)}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T;[x]", "a;b]\xE9", reg::kSz, Bytes("\x80")},
       {u"Software\\T;[x]", u"a;b]\u00E9", reg::kSz, Wide(u"\u20AC\0"sv)}},
      {{RegChange::kDeleteValue, reg::kCurrentUser, "Software\\T", "Old", reg::kNone, {}},
       {u"Software\\T", u"**del.Old", reg::kSz, Wide(u"\0"sv)}},
      {{RegChange::kDeleteKey, reg::kCurrentUser, "Software\\T\\Sub", "", reg::kNone, {}},
       {u"Software\\T", u"**DeleteKeys", reg::kSz, Wide(u"Sub\0"sv)}},
      {{RegChange::kCreateKey, reg::kCurrentUser, "Software\\Empty", "", reg::kNone, {}},
       {u"Software\\Empty", u"", reg::kNone, ""}},
  };
  std::vector<RegChange> changes;
  std::vector<Record> expected;
  for (const auto& row : rows) {
    changes.push_back(row.change);
    expected.push_back(row.record);
  }
  std::string error;
  const auto files = PolicyFileBytes(changes, &error);
  ASSERT_TRUE(files) << error;
  EXPECT_FALSE(files->machine);
  ASSERT_TRUE(files->user);
  EXPECT_EQ(expected, ReadPolicy(*files->user));
}

TEST(PolicyFileTest, RootsGoToTheirFileOrAreRefused) {
  std::string error;
  const auto files = PolicyFileBytes({{RegChange::kSetValue, reg::kClassesRoot, "txtfile", "", reg::kSz, Bytes("t")},
                                      {RegChange::kCreateKey, reg::kLocalMachine, "Software\\New", "", reg::kNone, {}},
                                      {RegChange::kSetValue, reg::kLocalMachine, "Software\\New", "V", reg::kDword,
                                       {0, 0, 0, 0}}},
                                     &error);
  ASSERT_TRUE(files) << error;
  EXPECT_FALSE(files->user);
  ASSERT_TRUE(files->machine);
  EXPECT_EQ((std::vector<Record>{{u"Software\\Classes\\txtfile", u"", reg::kSz, Wide(u"t\0"sv)},
                                 {u"Software\\New", u"V", reg::kDword, std::string(4, '\0')}}),
            ReadPolicy(*files->machine));

  EXPECT_FALSE(PolicyFileBytes({{RegChange::kSetValue, reg::kUsers, ".DEFAULT\\X", "V", reg::kSz, {}}}, &error));
  EXPECT_EQ("HKEY_USERS\\.DEFAULT\\X: a Registry.pol file holds only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER", error);
  EXPECT_FALSE(PolicyFileBytes({{RegChange::kDeleteKey, reg::kCurrentUser, "Top", "", reg::kNone, {}}}, &error));
  EXPECT_NE(std::string::npos, error.find("HKEY_CURRENT_USER\\Top: "));
}

// Worked out by hand: "PReg", 1, then [ K \0 ; V \0 ; 4 ; 4 ; 1 ] in UTF-16LE
// with the three numbers as little-endian DWORDs.
TEST(PolicyFileTest, OneDwordGivesTheDocumentedBytes) {
  std::string error;
  const auto files = PolicyFileBytes({{RegChange::kSetValue, reg::kLocalMachine, "K", "V", reg::kDword, {1, 0, 0, 0}}},
                                     &error);
  ASSERT_TRUE(files && files->machine) << error;
  const unsigned char expected[] = {
      'P', 'R', 'e', 'g', 1, 0, 0, 0,  // signature, version
      '[', 0, 'K', 0, 0, 0,            // [K\0
      ';', 0, 'V', 0, 0, 0,            // ;V\0
      ';', 0, 4, 0, 0, 0,              // ;REG_DWORD
      ';', 0, 4, 0, 0, 0,              // ;4 bytes
      ';', 0, 1, 0, 0, 0,              // ;1
      ']', 0};
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(expected), sizeof(expected)), *files->machine);
}

}  // namespace
}  // namespace corvandel
