#include "conformance/registry_conformance.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

namespace corvandel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

constexpr RegKey kRoots[] = {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers};
constexpr std::uint8_t kFill = 0xCC;

std::uint32_t SizeOf(const Bytes& data) { return static_cast<std::uint32_t>(data.size()); }

// Sets a value from a copy followed by a byte that is not a zero, so that
// RegSetValueExA, which looks one byte past text, stores just the value (see
// TextWrittenFromAZeroEndedBuffer).
void Put(IRegistry& r, RegKey root, const char* path, const char* name, std::uint32_t type, const Bytes& data) {
  Bytes source = data;
  source.push_back('X');
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, r.CreateKey(root, path, &key)) << path;
  EXPECT_EQ(reg::kSuccess, r.SetValueEx(key, name, type, source.data(), SizeOf(data)));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
}

void PutText(IRegistry& r, RegKey root, const char* path, const char* name, std::string_view text) {
  Put(r, root, path, name, reg::kSz, ToBytes(text));
}

void MakeKey(IRegistry& r, RegKey root, const char* path) {
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, r.CreateKey(root, path, &key)) << path;
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
}

bool Exists(IRegistry& r, RegKey root, const char* path) {
  RegKey key = 0;
  if (r.OpenKeyEx(root, path, &key) != reg::kSuccess) return false;
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  return true;
}

struct ReadResult {
  RegResult result = reg::kSuccess;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  Bytes buffer;  // the whole buffer, filled with kFill before the call
};

// A read the way the program makes it: open the key, query into a fixed buffer.
ReadResult Read(IRegistry& r, RegKey root, const char* path, const char* name, std::uint32_t bufferSize = 202) {
  ReadResult read;
  read.buffer.assign(bufferSize, kFill);
  read.size = bufferSize;
  RegKey key = 0;
  read.result = r.OpenKeyEx(root, path, &key);
  if (read.result != reg::kSuccess) return read;
  read.result = r.QueryValueEx(key, name, &read.type, read.buffer.data(), &read.size);
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  return read;
}

Bytes ReadBytes(IRegistry& r, RegKey root, const char* path, const char* name) {
  ReadResult read = Read(r, root, path, name);
  EXPECT_EQ(reg::kSuccess, read.result) << path << " " << name;
  if (read.result != reg::kSuccess) return {};
  return Bytes(read.buffer.begin(), read.buffer.begin() + read.size);
}

// Text the way the program takes it: up to its zero, if there is one.
std::string TextOf(const Bytes& data) { return std::string(data.begin(), std::find(data.begin(), data.end(), 0)); }

std::string ReadText(IRegistry& r, RegKey root, const char* path, const char* name) {
  return TextOf(ReadBytes(r, root, path, name));
}

std::vector<std::string> Subkeys(IRegistry& r, RegKey root, const char* path) {
  std::vector<std::string> names;
  RegKey key = 0;
  EXPECT_EQ(reg::kSuccess, r.OpenKeyEx(root, path, &key)) << path;
  char name[256];
  RegResult result;
  for (std::uint32_t i = 0; (result = r.EnumKey(key, i, name, sizeof(name))) == reg::kSuccess; ++i) names.push_back(name);
  EXPECT_EQ(reg::kNoMoreItems, result);
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  return names;
}

struct EnumeratedValue {
  std::string name;
  std::uint32_t type;
  Bytes data;
};

std::vector<EnumeratedValue> Values(IRegistry& r, RegKey root, const char* path) {
  std::vector<EnumeratedValue> values;
  RegKey key = 0;
  EXPECT_EQ(reg::kSuccess, r.OpenKeyEx(root, path, &key)) << path;
  for (std::uint32_t i = 0;; ++i) {
    char name[256];
    std::uint32_t nameSize = sizeof(name), type = 0, dataSize = 256;
    std::uint8_t data[256];
    RegResult result = r.EnumValue(key, i, name, &nameSize, &type, data, &dataSize);
    if (result != reg::kSuccess) {
      EXPECT_EQ(reg::kNoMoreItems, result);
      break;
    }
    EXPECT_EQ(std::strlen(name), nameSize);
    values.push_back({name, type, Bytes(data, data + dataSize)});
  }
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  return values;
}

std::vector<std::string> NamesOf(const std::vector<EnumeratedValue>& values) {
  std::vector<std::string> names;
  for (const auto& value : values) names.push_back(value.name);
  return names;
}

using Names = std::vector<std::string>;

TEST_P(RegistryConformance, ConnectGivesAClosableHandleToEachRoot) {
  for (RegKey root : kRoots) {
    SCOPED_TRACE(root);
    RegKey connected = 0, key = 0;
    ASSERT_EQ(reg::kSuccess, Reg().ConnectRegistry(root, &connected));
    EXPECT_NE(0u, connected);
    ASSERT_EQ(reg::kSuccess, Reg().CreateKey(connected, "Probe", &key));
    EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
    EXPECT_TRUE(Exists(Reg(), root, "Probe"));  // the same root as the predefined handle
    EXPECT_EQ(reg::kSuccess, Reg().CloseKey(connected));
  }
  EXPECT_TRUE(Exists(Reg(), reg::kUsers, ".DEFAULT"));
}

TEST_P(RegistryConformance, KeyNamesMatchInAnyCaseAndKeepTheirFirstSpelling) {
  MakeKey(Reg(), reg::kCurrentUser, "Software\\MixedCase");
  EXPECT_TRUE(Exists(Reg(), reg::kCurrentUser, "SOFTWARE\\mixedcase"));
  MakeKey(Reg(), reg::kCurrentUser, "software\\MIXEDCASE\\Child");
  EXPECT_EQ(Names{"Software"}, Subkeys(Reg(), reg::kCurrentUser, ""));
  EXPECT_EQ(Names{"MixedCase"}, Subkeys(Reg(), reg::kCurrentUser, "Software"));
  EXPECT_EQ(Names{"Child"}, Subkeys(Reg(), reg::kCurrentUser, "sOfTwArE\\mixedCASE"));
}

TEST_P(RegistryConformance, ValueNamesMatchInAnyCaseAndKeepTheirFirstSpelling) {
  PutText(Reg(), reg::kCurrentUser, "K", "ValueName", "1");
  PutText(Reg(), reg::kCurrentUser, "K", "VALUENAME", "22");
  EXPECT_EQ("22", ReadText(Reg(), reg::kCurrentUser, "k", "valuename"));
  EXPECT_EQ(Names{"ValueName"}, NamesOf(Values(Reg(), reg::kCurrentUser, "K")));
}

TEST_P(RegistryConformance, SubkeysEnumerateSortedIgnoringCaseThenNoMoreItems) {
  for (const char* name : {"gamma", "ALPHA2", "beta", "Alpha", "Delta", "b"}) MakeKey(Reg(), reg::kLocalMachine, name);
  EXPECT_EQ((Names{"Alpha", "ALPHA2", "b", "beta", "Delta", "gamma"}), Subkeys(Reg(), reg::kLocalMachine, ""));
  char name[256];
  EXPECT_EQ(reg::kNoMoreItems, Reg().EnumKey(reg::kLocalMachine, 100, name, sizeof(name)));
}

TEST_P(RegistryConformance, NamesWithPunctuationSortAsFoldedToUpperCase) {
  for (const char* name : {"_x", "Zed", "a1", "~t"}) MakeKey(Reg(), reg::kLocalMachine, name);
  if (OnWine()) {
    // Wine folds to lower case, which puts '_' (between 'Z' and 'a') first.
    EXPECT_EQ((Names{"_x", "a1", "Zed", "~t"}), Subkeys(Reg(), reg::kLocalMachine, ""));
  } else {
    EXPECT_EQ((Names{"a1", "Zed", "_x", "~t"}), Subkeys(Reg(), reg::kLocalMachine, ""));
  }
}

TEST_P(RegistryConformance, EnumerationWithTooSmallBuffersGivesMoreData) {
  Put(Reg(), reg::kCurrentUser, "Key\\Subkey", "LongValue", reg::kBinary, {1, 2, 3, 4, 5, 6});
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Key", &key));
  char name[16];
  EXPECT_EQ(reg::kMoreData, Reg().EnumKey(key, 0, name, 4));
  EXPECT_EQ(reg::kMoreData, Reg().EnumKey(key, 0, name, 6));  // "Subkey" with no room for its zero
  EXPECT_EQ(reg::kSuccess, Reg().EnumKey(key, 0, name, 7));
  EXPECT_STREQ("Subkey", name);
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));

  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Key\\Subkey", &key));
  std::uint32_t nameSize = 4, type = 0, dataSize = 2;
  EXPECT_EQ(reg::kMoreData, Reg().EnumValue(key, 0, name, &nameSize, &type, nullptr, nullptr));
  std::uint8_t data[6];
  std::memset(data, kFill, sizeof(data));
  nameSize = sizeof(name);
  EXPECT_EQ(reg::kMoreData, Reg().EnumValue(key, 0, name, &nameSize, &type, data, &dataSize));
  EXPECT_EQ(6u, dataSize);
  EXPECT_EQ(kFill, data[0]);
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
}

TEST_P(RegistryConformance, DeleteKeyRefusesAKeyWithSubkeys) {
  MakeKey(Reg(), reg::kCurrentUser, "Parent\\Child");
  EXPECT_EQ(reg::kAccessDenied, Reg().DeleteKey(reg::kCurrentUser, "Parent"));
  EXPECT_TRUE(Exists(Reg(), reg::kCurrentUser, "Parent\\Child"));
  EXPECT_EQ(reg::kSuccess, Reg().DeleteKey(reg::kCurrentUser, "PARENT\\child"));
  EXPECT_EQ(reg::kSuccess, Reg().DeleteKey(reg::kCurrentUser, "Parent"));
  EXPECT_FALSE(Exists(Reg(), reg::kCurrentUser, "Parent"));
}

TEST_P(RegistryConformance, ReadOnlyOpensReadButRefuseChangesThroughTheHandle) {
  PutText(Reg(), reg::kCurrentUser, "Ro", "v", "1");
  RegKey key = 0;
  Reg().SetReadOnlyOpens(true);
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Ro", &key));
  Reg().SetReadOnlyOpens(false);
  std::uint32_t size = 0;
  EXPECT_EQ(reg::kSuccess, Reg().QueryValueEx(key, "v", nullptr, nullptr, &size));
  const std::uint8_t one = '1';
  EXPECT_EQ(reg::kAccessDenied, Reg().SetValueEx(key, "w", reg::kSz, &one, 1));
  EXPECT_EQ(reg::kAccessDenied, Reg().DeleteValue(key, "v"));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  EXPECT_EQ("1", ReadText(Reg(), reg::kCurrentUser, "Ro", "v"));
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Ro", &key));  // full access again
  EXPECT_EQ(reg::kSuccess, Reg().DeleteValue(key, "v"));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
}

TEST_P(RegistryConformance, DeleteTreeRemovesTheKeyWithEverythingBelowIt) {
  PutText(Reg(), reg::kLocalMachine, "Top\\Tree\\A\\B", "v", "1");
  PutText(Reg(), reg::kLocalMachine, "Top\\Tree\\C", "", "2");
  PutText(Reg(), reg::kLocalMachine, "Top\\Tree2", "v", "3");
  RegKey top = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kLocalMachine, "Top", &top));
  EXPECT_EQ(reg::kSuccess, Reg().DeleteTree(top, "tree"));
  EXPECT_EQ(reg::kFileNotFound, Reg().DeleteTree(top, "Tree"));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(top));
  EXPECT_EQ(Names{"Tree2"}, Subkeys(Reg(), reg::kLocalMachine, "Top"));
  EXPECT_EQ("3", ReadText(Reg(), reg::kLocalMachine, "Top\\Tree2", "v"));
}

TEST_P(RegistryConformance, TooSmallBufferGivesMoreDataWithTheSizeAndLeavesTheBuffer) {
  Put(Reg(), reg::kCurrentUser, "K", "Bin", reg::kBinary, Bytes(10, 7));
  ReadResult read = Read(Reg(), reg::kCurrentUser, "K", "Bin", 4);
  EXPECT_EQ(reg::kMoreData, read.result);
  EXPECT_EQ(10u, read.size);
  EXPECT_EQ(reg::kBinary, read.type);
  EXPECT_EQ(Bytes(4, kFill), read.buffer);

  // Without a buffer the size alone is reported.
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "K", &key));
  std::uint32_t size = 0;
  EXPECT_EQ(reg::kSuccess, Reg().QueryValueEx(key, "Bin", nullptr, nullptr, &size));
  EXPECT_EQ(10u, size);
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
}

TEST_P(RegistryConformance, ProgramBufferOf202BytesHoldsValuesUpTo202Bytes) {
  const struct {
    std::uint32_t size;
    RegResult expected;
  } cases[] = {{0, reg::kSuccess}, {201, reg::kSuccess}, {202, reg::kSuccess}, {203, reg::kMoreData},
               {4096, reg::kMoreData}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    Bytes data(c.size);
    for (std::uint32_t i = 0; i < c.size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 1);
    Put(Reg(), reg::kCurrentUser, "K", "Blob", reg::kBinary, data);
    ReadResult read = Read(Reg(), reg::kCurrentUser, "K", "Blob");
    EXPECT_EQ(c.expected, read.result);
    EXPECT_EQ(c.size, read.size);
    if (c.expected == reg::kSuccess) {
      EXPECT_TRUE(std::equal(data.begin(), data.end(), read.buffer.begin()));
      EXPECT_TRUE(std::all_of(read.buffer.begin() + c.size, read.buffer.end(), [](auto b) { return b == kFill; }));
    } else {
      EXPECT_EQ(Bytes(202, kFill), read.buffer);
    }
  }
}

TEST_P(RegistryConformance, ValuesReadBackExactlyAsWritten) {
  const struct {
    const char* name;
    std::uint32_t type;
    Bytes data;
  } cases[] = {
      {"Dword", reg::kDword, {0x78, 0x56, 0x34, 0x12}},
      {"ShortDword", reg::kDword, {1, 0}},
      {"Binary", reg::kBinary, {0, 0xFF, 0, 0x80}},
      {"EmptyBinary", reg::kBinary, {}},
      {"Text", reg::kSz, ToBytes("C:\\Program Files")},
      {"TextWithZero", reg::kSz, ToBytes(std::string_view("abc\0", 4))},
      {"EmptyText", reg::kSz, {}},
      {"Expand", reg::kExpandSz, ToBytes("%SystemRoot%\\x")},
      {"Multi", reg::kMultiSz, ToBytes(std::string_view("a\0b\0\0", 5))},
      {"None", reg::kNone, {9}},
  };
  for (const auto& c : cases) Put(Reg(), reg::kCurrentUser, "K", c.name, c.type, c.data);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadResult read = Read(Reg(), reg::kCurrentUser, "K", c.name);
    ASSERT_EQ(reg::kSuccess, read.result);
    EXPECT_EQ(c.type, read.type);
    EXPECT_EQ(c.data, Bytes(read.buffer.begin(), read.buffer.begin() + read.size));
    // Text that lacks its zero gets one after it, not counted in the size.
    bool text = c.type == reg::kSz || c.type == reg::kExpandSz || c.type == reg::kMultiSz;
    bool unended = !c.data.empty() && c.data.back() != 0;
    EXPECT_EQ(text && unended ? 0 : kFill, read.buffer[read.size]);
    // A buffer of exactly the stored size holds it all.
    ReadResult exact = Read(Reg(), reg::kCurrentUser, "K", c.name, SizeOf(c.data));
    EXPECT_EQ(reg::kSuccess, exact.result);
    EXPECT_EQ(c.data, exact.buffer);
  }
}

TEST_P(RegistryConformance, TextWrittenFromAZeroEndedBuffer) {
  // The way the program writes text: the characters of a zero-ended string,
  // counted without the zero.
  const char text[] = "1";
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().CreateKey(reg::kCurrentUser, "K", &key));
  EXPECT_EQ(reg::kSuccess, Reg().SetValueEx(key, "Flag", reg::kSz, reinterpret_cast<const std::uint8_t*>(text), 1));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  ReadResult read = Read(Reg(), reg::kCurrentUser, "K", "Flag");
  ASSERT_EQ(reg::kSuccess, read.result);
  // RegSetValueExA (Windows NT and Wine alike) looks past the count and takes
  // the zero in; the memory registry stores the count it is given.
  EXPECT_EQ(TakesZeroAfterText() ? 2u : 1u, read.size);
  EXPECT_EQ('1', read.buffer[0]);
  EXPECT_EQ(0, read.buffer[1]);
}

TEST_P(RegistryConformance, DefaultValueIsTheEmptyNameAndNullMeansEmpty) {
  PutText(Reg(), reg::kClassesRoot, "K", nullptr, "first");
  EXPECT_EQ("first", ReadText(Reg(), reg::kClassesRoot, "K", ""));
  PutText(Reg(), reg::kClassesRoot, "K", "", "second");
  EXPECT_EQ("second", ReadText(Reg(), reg::kClassesRoot, "K", nullptr));
  EXPECT_EQ(Names{""}, NamesOf(Values(Reg(), reg::kClassesRoot, "K")));

  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kClassesRoot, "K", &key));
  EXPECT_EQ(reg::kSuccess, Reg().DeleteValue(key, nullptr));
  EXPECT_EQ(reg::kFileNotFound, Reg().DeleteValue(key, ""));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
}

TEST_P(RegistryConformance, CreateKeyMakesMissingParentsAndOpensExistingKeys) {
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().CreateKey(reg::kLocalMachine, "A\\B\\C", &key));
  const std::uint8_t one[] = {1, 0, 0, 0};
  EXPECT_EQ(reg::kSuccess, Reg().SetValueEx(key, "V", reg::kDword, one, 4));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  EXPECT_EQ(Names{"A"}, Subkeys(Reg(), reg::kLocalMachine, ""));
  EXPECT_EQ(Names{"B"}, Subkeys(Reg(), reg::kLocalMachine, "A"));
  EXPECT_EQ(Names{"C"}, Subkeys(Reg(), reg::kLocalMachine, "A\\B"));

  // Creating what exists opens it, values and all; relative to an open key too.
  RegKey a = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kLocalMachine, "A", &a));
  ASSERT_EQ(reg::kSuccess, Reg().CreateKey(a, "b\\c", &key));
  std::uint32_t size = 4;
  std::uint8_t data[4];
  EXPECT_EQ(reg::kSuccess, Reg().QueryValueEx(key, "V", nullptr, data, &size));
  EXPECT_EQ(Bytes(one, one + 4), Bytes(data, data + 4));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(a));
}

TEST_P(RegistryConformance, MissingKeysAndValuesGiveFileNotFound) {
  PutText(Reg(), reg::kCurrentUser, "Present", "Value", "1");
  RegKey present = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Present", &present));
  const struct {
    const char* call;
    std::function<RegResult()> run;
  } cases[] = {
      {"OpenKeyEx", [&] { RegKey k = 1; RegResult r = Reg().OpenKeyEx(present, "Missing", &k); EXPECT_EQ(0u, k); return r; }},
      {"OpenKeyEx deep", [&] { RegKey k; return Reg().OpenKeyEx(reg::kCurrentUser, "Present\\Missing\\Deeper", &k); }},
      {"OpenKey", [&] { RegKey k; return Reg().OpenKey(reg::kCurrentUser, "Missing", &k); }},
      {"QueryValueEx", [&] {
         std::uint8_t d[8];
         std::uint32_t size = sizeof(d);
         RegResult r = Reg().QueryValueEx(present, "Missing", nullptr, d, &size);
         EXPECT_EQ(sizeof(d), size);
         return r;
       }},
      {"QueryValue", [&] { char d[8]; std::int32_t size = 8; return Reg().QueryValue(present, "Missing", d, &size); }},
      {"DeleteValue", [&] { return Reg().DeleteValue(present, "Missing"); }},
      {"DeleteValueByPath key", [&] { return Reg().DeleteValueByPath(reg::kCurrentUser, "Missing", "Value"); }},
      {"DeleteValueByPath value", [&] { return Reg().DeleteValueByPath(reg::kCurrentUser, "Present", "Missing"); }},
      {"DeleteKey", [&] { return Reg().DeleteKey(reg::kCurrentUser, "Missing"); }},
      {"DeleteTree", [&] { return Reg().DeleteTree(reg::kCurrentUser, "Missing"); }},
  };
  for (const auto& c : cases) EXPECT_EQ(reg::kFileNotFound, c.run()) << c.call;
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(present));
}

TEST_P(RegistryConformance, ClosedAndNullHandlesAreInvalid) {
  RegKey closed = 0;
  ASSERT_EQ(reg::kSuccess, Reg().CreateKey(reg::kCurrentUser, "K", &closed));
  ASSERT_EQ(reg::kSuccess, Reg().CloseKey(closed));
  for (RegKey key : {closed, RegKey{0}}) {
    SCOPED_TRACE(key);
    RegKey out;
    std::uint32_t size = 0;
    char name[16];
    const std::uint8_t byte = 1;
    EXPECT_EQ(reg::kInvalidHandle, Reg().OpenKeyEx(key, "x", &out));
    EXPECT_EQ(reg::kInvalidHandle, Reg().QueryValueEx(key, "v", nullptr, nullptr, &size));
    EXPECT_EQ(reg::kInvalidHandle, Reg().SetValueEx(key, "v", reg::kBinary, &byte, 1));
    EXPECT_EQ(reg::kInvalidHandle, Reg().EnumKey(key, 0, name, sizeof(name)));
    EXPECT_EQ(reg::kInvalidHandle, Reg().CloseKey(key));
  }
}

TEST_P(RegistryConformance, ValuesEnumerateInCreationOrderThenNoMoreItems) {
  for (const char* name : {"zeta", "Alpha", "mid"}) PutText(Reg(), reg::kCurrentUser, "K", name, name);
  PutText(Reg(), reg::kCurrentUser, "K", "ZETA", "again");  // replaced in place
  std::vector<EnumeratedValue> values = Values(Reg(), reg::kCurrentUser, "K");
  // Wine keeps values sorted by name; Windows keeps the order they were first set.
  EXPECT_EQ(OnWine() ? (Names{"Alpha", "mid", "zeta"}) : (Names{"zeta", "Alpha", "mid"}), NamesOf(values));
  for (const auto& value : values) {
    EXPECT_EQ(reg::kSz, value.type);
    EXPECT_EQ(value.name == "zeta" ? "again" : value.name, TextOf(value.data));
  }
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "K", &key));
  EXPECT_EQ(reg::kSuccess, Reg().DeleteValue(key, "ALPHA"));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  EXPECT_EQ(OnWine() ? (Names{"mid", "zeta"}) : (Names{"zeta", "mid"}), NamesOf(Values(Reg(), reg::kCurrentUser, "K")));
}

TEST_P(RegistryConformance, DeleteValueByPathRemovesOneValue) {
  PutText(Reg(), reg::kLocalMachine, "Policies\\System", "Gone", "1");
  PutText(Reg(), reg::kLocalMachine, "Policies\\System", "Kept", "2");
  EXPECT_EQ(reg::kSuccess, Reg().DeleteValueByPath(reg::kLocalMachine, "policies\\system", "GONE"));
  EXPECT_EQ(Names{"Kept"}, NamesOf(Values(Reg(), reg::kLocalMachine, "Policies\\System")));
}

TEST_P(RegistryConformance, QueryValueReadsTheDefaultValueOfASubkeyAsText) {
  PutText(Reg(), reg::kClassesRoot, "Directory\\shell\\cmd", "", std::string_view("Open here\0", 10));
  MakeKey(Reg(), reg::kClassesRoot, "Directory\\shell\\bare");
  char text[32];
  std::int32_t size = sizeof(text);
  EXPECT_EQ(reg::kSuccess, Reg().QueryValue(reg::kClassesRoot, "Directory\\shell\\cmd", text, &size));
  EXPECT_EQ(10, size);
  EXPECT_STREQ("Open here", text);

  RegKey cmd = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kClassesRoot, "Directory\\shell\\cmd", &cmd));
  size = sizeof(text);
  EXPECT_EQ(reg::kSuccess, Reg().QueryValue(cmd, nullptr, text, &size));  // the key's own default value
  EXPECT_STREQ("Open here", text);
  std::memset(text, 'Q', sizeof(text));
  size = 4;
  EXPECT_EQ(reg::kMoreData, Reg().QueryValue(cmd, "", text, &size));
  EXPECT_EQ(10, size);
  EXPECT_EQ('Q', text[0]);
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(cmd));

  // A key without a default value reads as the empty text.
  size = sizeof(text);
  EXPECT_EQ(reg::kSuccess, Reg().QueryValue(reg::kClassesRoot, "Directory\\shell\\bare", text, &size));
  EXPECT_EQ(1, size);
  EXPECT_STREQ("", text);
}

TEST_P(RegistryConformance, EmptySubkeyOpensTheKeyItself) {
  PutText(Reg(), reg::kCurrentUser, "K", "v", "1");
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "K", &key));
  RegKey again = 0, created = 0, same = 0, root = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(key, "", &again));
  ASSERT_EQ(reg::kSuccess, Reg().CreateKey(key, nullptr, &created));
  EXPECT_NE(key, again);  // new handles to the same key, each closed on its own
  EXPECT_NE(key, created);
  ASSERT_EQ(reg::kSuccess, Reg().OpenKey(key, "", &same));
  EXPECT_EQ(key, same);  // RegOpenKeyA hands back the very handle
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  for (RegKey handle : {again, created}) {
    std::uint32_t size = 0;
    EXPECT_EQ(reg::kSuccess, Reg().QueryValueEx(handle, "v", nullptr, nullptr, &size));
    EXPECT_EQ(reg::kSuccess, Reg().CloseKey(handle));
  }
  // A predefined root opens as itself.
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, nullptr, &root));
  EXPECT_EQ(reg::kCurrentUser, root);
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(root));
}

TEST_P(RegistryConformance, HandleToADeletedKeyFailsWithKeyDeleted) {
  PutText(Reg(), reg::kCurrentUser, "Doomed", "v", "1");
  RegKey doomed = 0, out = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "Doomed", &doomed));
  ASSERT_EQ(reg::kSuccess, Reg().DeleteKey(reg::kCurrentUser, "Doomed"));
  std::uint32_t size = 0;
  char name[16];
  const std::uint8_t byte = 1;
  EXPECT_EQ(reg::kKeyDeleted, Reg().QueryValueEx(doomed, "v", nullptr, nullptr, &size));
  EXPECT_EQ(reg::kKeyDeleted, Reg().SetValueEx(doomed, "v", reg::kBinary, &byte, 1));
  EXPECT_EQ(reg::kKeyDeleted, Reg().EnumKey(doomed, 0, name, sizeof(name)));
  EXPECT_EQ(reg::kKeyDeleted, Reg().CreateKey(doomed, "Child", &out));
  EXPECT_EQ(reg::kKeyDeleted, Reg().OpenKeyEx(doomed, "", &out));

  // A key made again under the name is another key; the old handle stays dead.
  MakeKey(Reg(), reg::kCurrentUser, "Doomed");
  EXPECT_EQ(reg::kKeyDeleted, Reg().QueryValueEx(doomed, "v", nullptr, nullptr, &size));
  EXPECT_TRUE(Values(Reg(), reg::kCurrentUser, "Doomed").empty());
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(doomed));
}

TEST_P(RegistryConformance, PathsStartingWithABackslashAreBad) {
  MakeKey(Reg(), reg::kCurrentUser, "Software");
  RegKey key = 0;
  EXPECT_EQ(reg::kBadPathname, Reg().OpenKeyEx(reg::kCurrentUser, "\\Software", &key));
  EXPECT_EQ(reg::kBadPathname, Reg().CreateKey(reg::kCurrentUser, "\\Software\\New", &key));
  EXPECT_FALSE(Exists(Reg(), reg::kCurrentUser, "Software\\New"));
}

TEST_P(RegistryConformance, CallsMissingTheirBuffersAreRefused) {
  PutText(Reg(), reg::kCurrentUser, "K", "v", "1");
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, Reg().OpenKeyEx(reg::kCurrentUser, "K", &key));
  std::uint8_t data[4];
  EXPECT_EQ(reg::kInvalidParameter, Reg().QueryValueEx(key, "v", nullptr, data, nullptr));
  EXPECT_EQ(reg::kNoAccess, Reg().SetValueEx(key, "w", reg::kBinary, nullptr, 4));
  EXPECT_EQ(reg::kInvalidParameter, Reg().DeleteKey(key, nullptr));
  EXPECT_EQ(reg::kSuccess, Reg().CloseKey(key));
  EXPECT_EQ(Names{"v"}, NamesOf(Values(Reg(), reg::kCurrentUser, "K")));
}

}  // namespace
}  // namespace corvandel
