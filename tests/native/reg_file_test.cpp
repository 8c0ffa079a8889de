#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "scratch_folder.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_key.h"

namespace corvandel {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr RegKey kRoots[] = {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers};

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Everything a registry holds, in enumeration order, as one comparable text.
std::string Dump(const MemoryRegistry& registry) {
  std::ostringstream out;
  for (RegKey root : kRoots) {
    registry.ForEachKey(root, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      out << std::hex << root << '\\' << path << '\n';
      for (const auto& value : values) {
        out << "  [" << value.name << "] " << value.type << ':';
        for (std::uint8_t byte : value.data) out << ' ' << static_cast<int>(byte);
        out << '\n';
      }
    });
  }
  return out.str();
}

void Set(MemoryRegistry& registry, RegKey root, const std::string& path, const std::string& name,
         std::uint32_t type, const Bytes& data) {
  RegKey key = 0;
  ASSERT_EQ(reg::kSuccess, registry.CreateKey(root, path.c_str(), &key));
  ASSERT_EQ(reg::kSuccess, registry.SetValueEx(key, name.c_str(), type, data.data(), static_cast<std::uint32_t>(data.size())));
  registry.CloseKey(key);
}

std::optional<Bytes> Get(const MemoryRegistry& registry, RegKey root, std::string_view path, std::string_view name,
                         std::uint32_t* type = nullptr) {
  Bytes data;
  if (!registry.Get(root, path, name, type, &data)) return std::nullopt;
  return data;
}

std::string Export(const MemoryRegistry& registry) {
  std::string text, error;
  EXPECT_TRUE(ExportRegistryText(registry, &text, &error)) << error;
  return text;
}

bool Import(std::string_view text, MemoryRegistry& registry, std::string* error = nullptr) {
  std::string ignored;
  return RegistryFile().Read(std::string(text), "t.reg", registry, error ? error : &ignored);
}

// Random content of every kind the format has to carry: names with quotes,
// backslashes, brackets, blanks, line breaks and 8-bit characters; texts
// with and without their zero, with zeros and line breaks inside; numbers of
// four bytes and of other lengths; types beyond the known ones; empty keys;
// values deleted and set again (which moves them to the end).
class RandomRegistry {
 public:
  explicit RandomRegistry(unsigned seed) : random_(seed) {}

  void Fill(MemoryRegistry& registry) {
    std::vector<std::pair<RegKey, std::string>> keys;
    for (int i = 0, count = Number(1, 12); i < count; ++i) {
      const RegKey root = kRoots[Number(0, 3)];
      std::string path = KeyName();
      if (!keys.empty() && Number(0, 1)) path = keys[Number(0, static_cast<int>(keys.size()) - 1)].second + "\\" + path;
      keys.emplace_back(root, path);
      RegKey key = 0;
      registry.CreateKey(root, path.c_str(), &key);
      for (int v = 0, values = Number(0, 6); v < values; ++v) SetRandomValue(registry, key);
      if (Number(0, 3) == 0) {  // delete the first value and set it again
        char name[300];
        std::uint32_t nameSize = sizeof name;
        if (registry.EnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr) == reg::kSuccess) {
          registry.DeleteValue(key, name);
          const Bytes data = Data(reg::kBinary);
          registry.SetValueEx(key, name, reg::kBinary, data.data(), static_cast<std::uint32_t>(data.size()));
        }
      }
      registry.CloseKey(key);
    }
    if (Number(0, 2) == 0) Set(registry, kRoots[Number(0, 3)], "", ValueName(), reg::kDword, {1, 2, 3, 4});
  }

 private:
  int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::string Text(const char* alphabet, int low, int high) {
    const std::string_view letters(alphabet);
    std::string text;
    for (int i = 0, n = Number(low, high); i < n; ++i)
      text.push_back(letters[static_cast<std::size_t>(Number(0, static_cast<int>(letters.size()) - 1))]);
    return text;
  }

  std::string KeyName() { return Text("abcXYZ 09_-.,;=@[]\"'{}\xE9\xFC", 1, 12); }
  std::string ValueName() { return Number(0, 5) == 0 ? "" : Text("abXY 1\\\"@=;[]-\r\n\t\xE9", 1, 10); }

  Bytes Data(std::uint32_t type) {
    Bytes data;
    if (type == reg::kDword && Number(0, 3) > 0) {
      for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(Number(0, 255)));
      return data;
    }
    if (IsTextType(type) && Number(0, 2) > 0) {
      const std::string text = Text("abc XYZ\\\"'=;\t\xE9\xFF", 0, 40) + (Number(0, 4) == 0 ? "\r\n" : "");
      data = B(text);
      switch (Number(0, 4)) {
        case 0: break;                                // without its zero
        case 1: data.push_back(0); data.push_back(0); break;  // two zeros
        case 2: data.insert(data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2), 0); data.push_back(0); break;
        default: data.push_back(0);                   // as the program writes it
      }
      return data;
    }
    for (int i = 0, n = Number(0, 120); i < n; ++i) data.push_back(static_cast<std::uint8_t>(Number(0, 255)));
    return data;
  }

  static bool IsTextType(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

  void SetRandomValue(MemoryRegistry& registry, RegKey key) {
    static constexpr std::uint32_t kTypes[] = {reg::kSz, reg::kSz, reg::kSz, reg::kDword, reg::kDword, reg::kBinary,
                                               reg::kExpandSz, reg::kMultiSz, reg::kNone, 11, 0x12345678};
    const std::uint32_t type = kTypes[Number(0, static_cast<int>(std::size(kTypes)) - 1)];
    const Bytes data = Data(type);
    registry.SetValueEx(key, ValueName().c_str(), type, data.data(), static_cast<std::uint32_t>(data.size()));
  }

  std::mt19937 random_;
};

TEST(RegFileTest, WrittenFileLoadsAsTheSameRegistry) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    MemoryRegistry original;
    RandomRegistry(seed).Fill(original);
    const std::string text = Export(original);
    MemoryRegistry loaded;
    std::string error;
    ASSERT_TRUE(Import(text, loaded, &error)) << "seed " << seed << ": " << error << "\n" << text;
    ASSERT_EQ(Dump(original), Dump(loaded)) << "seed " << seed << "\n" << text;
    EXPECT_EQ(text, Export(loaded)) << "seed " << seed;
    RegistryFile file;
    MemoryRegistry named;
    ASSERT_TRUE(file.Read(text, "t.reg", named, &error));
    std::string again;
    ASSERT_TRUE(file.Rewrite({}, &again, &error));
    EXPECT_EQ(text, again) << "seed " << seed;
  }
}

TEST(RegFileTest, WritesEachKindOfValueAsTheEditorDoes) {
  MemoryRegistry registry;
  Set(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor", "DisableUNCCheck", reg::kDword, {1, 0, 0, 0});
  Set(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor", "", reg::kSz, B(std::string("C:\\x \"y\"\0", 9)));
  Set(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor", "Short", reg::kSz, B("abc"));
  // The registry editor reads no escapes for line breaks in a text.
  Set(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor", "Lines", reg::kSz, B(std::string("a\r\nb\0", 5)));
  Set(registry, reg::kLocalMachine, "SOFTWARE\\A", "Odd\"Name\\", reg::kDword, {1, 2});
  Set(registry, reg::kLocalMachine, "SOFTWARE\\A", "Bin", reg::kBinary, {0x00, 0xFF, 0x10});
  Set(registry, reg::kLocalMachine, "SOFTWARE\\A", "Path", reg::kExpandSz, B(std::string("%SystemRoot%\0", 13)));
  Set(registry, reg::kLocalMachine, "SOFTWARE\\A", "Q", 11, {});
  EXPECT_EQ(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
      "\"DisableUNCCheck\"=dword:00000001\r\n"
      "@=\"C:\\\\x \\\"y\\\"\"\r\n"
      "\"Short\"=hex(1):61,62,63\r\n"
      "\"Lines\"=hex(1):61,0d,0a,62,00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n"
      "\"Odd\\\"Name\\\\\"=hex(4):01,02\r\n"
      "\"Bin\"=hex:00,ff,10\r\n"
      "\"Path\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,00\r\n"
      "\"Q\"=hex(b):\r\n\r\n",
      Export(registry));
}

// Which keys become sections of a new file: a key that holds nothing is
// left to its subkeys, and one that every registry has (a root,
// HKEY_USERS\.DEFAULT) is not written at all.
TEST(RegFileTest, WritesTheKeysThatHoldSomething) {
  MemoryRegistry registry;
  ASSERT_TRUE(Import("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n[HKEY_CURRENT_USER\\Software\\Empty]\r\n"
                     "[HKEY_CURRENT_USER\\Software\\Valued]\r\n\"v\"=dword:00000001\r\n[HKEY_USERS\\.DEFAULT]\r\n",
                     registry));
  // What holds nothing and has subkeys, and the keys every
  // registry has, are left out; an empty key without subkeys stays.
  EXPECT_EQ(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Empty]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Valued]\r\n"
      "\"v\"=dword:00000001\r\n\r\n",
      Export(registry));
  // A key whose subkeys are all gone is written again, as it is still there.
  ASSERT_EQ(reg::kSuccess, registry.DeleteTree(reg::kCurrentUser, "Software\\Empty"));
  ASSERT_EQ(reg::kSuccess, registry.DeleteTree(reg::kCurrentUser, "Software\\Valued"));
  EXPECT_EQ("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n", Export(registry));
  // Something stored under HKEY_USERS\.DEFAULT makes it a section.
  Set(registry, reg::kUsers, ".DEFAULT", "d", reg::kDword, {2, 0, 0, 0});
  EXPECT_NE(std::string::npos, Export(registry).find("[HKEY_USERS\\.DEFAULT]\r\n\"d\"=dword:00000002\r\n"));
}

TEST(RegFileTest, LongHexListsWrapAtEightyColumns) {
  MemoryRegistry registry;
  Bytes data;
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i));
  Set(registry, reg::kCurrentUser, "K", "Long", reg::kBinary, data);
  Set(registry, reg::kCurrentUser, "K", std::string(100, 'n'), reg::kBinary, data);
  const std::string text = Export(registry);
  std::istringstream lines(text);
  int continued = 0;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    line.pop_back();  // the CR
    if (line.rfind("\"nnn", 0) == 0) continue;  // a long name cannot be shortened
    EXPECT_LE(line.size(), 80u) << line;
    continued += !line.empty() && line.back() == '\\';
  }
  EXPECT_GT(continued, 20);
  MemoryRegistry loaded;
  ASSERT_TRUE(Import(text, loaded));
  EXPECT_EQ(data, Get(loaded, reg::kCurrentUser, "K", "Long"));
  EXPECT_EQ(data, Get(loaded, reg::kCurrentUser, "K", std::string(100, 'n')));
}

TEST(RegFileTest, KeyNameWithALineBreakCannotBeWritten) {
  MemoryRegistry registry;
  RegistryKey::Create(registry, reg::kCurrentUser, "Software\\Two\nLines");
  std::string text = "unchanged", error;
  EXPECT_FALSE(ExportRegistryText(registry, &text, &error));
  EXPECT_EQ("unchanged", text);
  EXPECT_NE(std::string::npos, error.find("HKEY_CURRENT_USER\\\\Software\\\\Two\\nLines")) << error;
}

constexpr char kEverySyntax[] =
    "REGEDIT4\r\n"
    "; a comment\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
    "\"DisableUNCCheck\"=dword:00000001\r\n"
    "\"CompletionChar\"=dword:9 ; short and commented\r\n"
    "@=\"say \\\"hi\\\" to C:\\\\\"\r\n"
    "  \"Indented\" = \"yes\"\r\n"
    "\"Lines\"=\"a\\r\\nb\"\r\n"
    "\r\n"
    "[hkcu\\Software\\Bytes]\n"
    "\"Bin\"=hex:01,02,\\\n"
    "  ; a comment between continued lines\n"
    "  0A,ff\n"
    "\"Expand\"=hex(2):25,00\n"
    "\"Empty\"=hex:\n"
    "\"Typed\"=HEX(B):01 , 2 ,\n"
    "[HKLM\\SOFTWARE\\Gone]\r"
    "\"x\"=\"1\"\r"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\r"
    "\"ignored\"=\"under a deleted key\"\r"
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Empty\\]\r\n"
    "[HKU\\.DEFAULT\\Software]\r\n"
    "\"keep\"=\"1\"\r\n"
    "\"drop\"=\"1\"\r\n"
    "\"drop\"=-\r\n";

TEST(RegFileTest, ReadsEverySyntaxOfTheFormat) {
  MemoryRegistry registry;
  std::string error;
  ASSERT_TRUE(Import(kEverySyntax, registry, &error)) << error;
  const std::string cp = "Software\\Microsoft\\Command Processor";
  std::uint32_t type = 0;
  struct Case {
    RegKey root;
    std::string path, name;
    std::uint32_t type;
    Bytes data;
  };
  const Case cases[] = {
      {reg::kCurrentUser, cp, "DisableUNCCheck", reg::kDword, {1, 0, 0, 0}},
      {reg::kCurrentUser, cp, "CompletionChar", reg::kDword, {9, 0, 0, 0}},
      {reg::kCurrentUser, cp, "", reg::kSz, B(std::string("say \"hi\" to C:\\\0", 16))},
      {reg::kCurrentUser, cp, "Indented", reg::kSz, B(std::string("yes\0", 4))},
      {reg::kCurrentUser, cp, "Lines", reg::kSz, B(std::string("a\r\nb\0", 5))},
      {reg::kCurrentUser, "Software\\Bytes", "Bin", reg::kBinary, {1, 2, 10, 255}},
      {reg::kCurrentUser, "Software\\Bytes", "Expand", reg::kExpandSz, {0x25, 0}},
      {reg::kCurrentUser, "Software\\Bytes", "Empty", reg::kBinary, {}},
      {reg::kCurrentUser, "Software\\Bytes", "Typed", 11, {1, 2}},
      {reg::kUsers, ".DEFAULT\\Software", "keep", reg::kSz, {'1', 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.data, Get(registry, c.root, c.path, c.name, &type)) << c.name;
    EXPECT_EQ(c.type, type) << c.name;
  }
  EXPECT_FALSE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE\\Gone"));
  EXPECT_TRUE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE"));
  EXPECT_TRUE(registry.KeyExists(reg::kClassesRoot, "Directory\\shell\\Empty"));
  EXPECT_FALSE(Get(registry, reg::kUsers, ".DEFAULT\\Software", "drop"));
}

TEST(RegFileTest, ImportChangesWhatIsThereAndKeepsTheRest) {
  MemoryRegistry registry;
  Set(registry, reg::kCurrentUser, "A", "kept", reg::kDword, {7, 0, 0, 0});
  Set(registry, reg::kCurrentUser, "A", "changed", reg::kDword, {7, 0, 0, 0});
  Set(registry, reg::kCurrentUser, "A", "deleted", reg::kDword, {7, 0, 0, 0});
  Set(registry, reg::kCurrentUser, "A\\B\\C", "deep", reg::kDword, {7, 0, 0, 0});
  ASSERT_TRUE(Import("REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"CHANGED\"=dword:00000002\n\"Deleted\"=-\n\"missing\"=-\n"
                     "[-HKEY_CURRENT_USER\\A\\B]\n[-HKEY_CURRENT_USER\\Not\\There]\n",
                     registry));
  EXPECT_EQ(Bytes({7, 0, 0, 0}), Get(registry, reg::kCurrentUser, "A", "kept"));
  EXPECT_EQ(Bytes({2, 0, 0, 0}), Get(registry, reg::kCurrentUser, "A", "changed"));
  EXPECT_FALSE(Get(registry, reg::kCurrentUser, "A", "deleted"));
  EXPECT_FALSE(registry.KeyExists(reg::kCurrentUser, "A\\B"));
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST(RegFileTest, AKeyThatFailsOnceIsTriedAgainByItsValues) {
  const char* text = "REGEDIT4\n[HKCU\\A]\n\"v\"=dword:00000001\n\"w\"=-\n\"x\"=dword:00000002\n";
  MemoryRegistry once;
  Set(once, reg::kCurrentUser, "A", "w", reg::kDword, {7, 0, 0, 0});
  once.FailNthCall(1, reg::kAccessDenied);  // the section's own creation of the key
  ASSERT_TRUE(Import(text, once));
  EXPECT_EQ(Bytes({1, 0, 0, 0}), Get(once, reg::kCurrentUser, "A", "v"));
  EXPECT_FALSE(Get(once, reg::kCurrentUser, "A", "w"));
  EXPECT_EQ(Bytes({2, 0, 0, 0}), Get(once, reg::kCurrentUser, "A", "x"));

  MemoryRegistry refused;
  refused.Deny(MemoryRegistry::kCreate, reg::kCurrentUser, "A");
  ASSERT_TRUE(Import(text, refused));
  EXPECT_FALSE(refused.KeyExists(reg::kCurrentUser, "A"));
  EXPECT_EQ(0u, refused.OpenHandleCount());
}

std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(RegFileTest, ReadsVersion5FilesInEveryEncoding) {
  // The editor's own export: UTF-16LE, texts of hex(2) and hex(7) in UTF-16.
  const std::u16string exported =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Caf\u00E9]\r\n"
      u"\"Name\"=\"Gr\u00FC\u00DFe \u20AC \u0101\"\r\n"
      u"\"Path\"=hex(2):25,00,57,00,69,00,6e,00,44,00,69,00,72,00,25,00,00,00\r\n"
      u"\"Multi\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
      u"\"Odd\"=hex(1):41,00,42\r\n"
      u"\"Bin\"=hex:61,00\r\n";
  MemoryRegistry registry;
  std::string error;
  ASSERT_TRUE(Import(Utf16File(exported), registry, &error)) << error;
  const std::string key = "Software\\Caf\xE9";
  EXPECT_EQ(B(std::string("Gr\xFC\xDF" "e \x80 \x81" "0101\0", 14)), Get(registry, reg::kCurrentUser, key, "Name"));
  EXPECT_EQ(B(std::string("%WinDir%\0", 9)), Get(registry, reg::kCurrentUser, key, "Path"));
  EXPECT_EQ(B(std::string("a\0\xE9\0\0", 5)), Get(registry, reg::kCurrentUser, key, "Multi"));
  EXPECT_EQ(B("A"), Get(registry, reg::kCurrentUser, key, "Odd"));
  EXPECT_EQ(Bytes({0x61, 0}), Get(registry, reg::kCurrentUser, key, "Bin"));  // binary stays as it is

  // The same header in an 8-bit and a UTF-8 file.
  const std::string eightBit = "Windows Registry Editor Version 5.00\n[HKCU\\E]\n\"t\"=\"\xE9\"\n\"p\"=hex(2):41,00,00,00\n";
  MemoryRegistry plain, utf8;
  ASSERT_TRUE(Import(eightBit, plain));
  ASSERT_TRUE(Import("\xEF\xBB\xBF" "Windows Registry Editor Version 5.00\n[HKCU\\E]\n\"t\"=\"\xC3\xA9\"\n", utf8));
  EXPECT_EQ(B(std::string("\xE9\0", 2)), Get(plain, reg::kCurrentUser, "E", "t"));
  EXPECT_EQ(B(std::string("A\0", 2)), Get(plain, reg::kCurrentUser, "E", "p"));
  EXPECT_EQ(B(std::string("\xE9\0", 2)), Get(utf8, reg::kCurrentUser, "E", "t"));

  // REGEDIT4 keeps hex(2) bytes as they are.
  MemoryRegistry four;
  ASSERT_TRUE(Import("REGEDIT4\n[HKCU\\E]\n\"p\"=hex(2):41,00,00,00\n", four));
  EXPECT_EQ(Bytes({0x41, 0, 0, 0}), Get(four, reg::kCurrentUser, "E", "p"));
}

TEST(RegFileTest, UnreadableLineIsAnErrorWithItsNumberAndNothingIsLoaded) {
  struct Case {
    const char* text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"", 1, "not a registry file"},
      {"REGEDIT5\n", 1, "not a registry file"},
      {"REGEDIT4\n\"v\"=\"1\"\n", 2, "before the first [key]"},
      {"REGEDIT4\n[HKCU\\A]\nv=1\n", 3, "cannot read this line"},
      {"REGEDIT4\n[HKCU\\A\n", 2, "closing ]"},
      {"REGEDIT4\n[HKCU\\A] x\n", 2, "after the key section"},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", 2, "unknown root key \"HKEY_NOWHERE\""},
      {"REGEDIT4\n[HKCU\\A\\\\B]\n", 2, "empty key name"},
      {"REGEDIT4\n[-HKLM]\n", 2, "root key cannot be deleted"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=\"1\n", 3, "closing \""},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=\"C:\\Windows\"\n", 3, "unknown escape \\W"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"\"1\"\n", 3, "without ="},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=\"1\" x\n", 3, "after the closing \""},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=dword:123456789\n", 3, "1 to 8 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=dword:\n", 3, "1 to 8 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=dword:12 34\n", 3, "1 to 8 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=text\n", 3, "unknown kind of value"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex(x):00\n", 3, "hex(N)"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex;00\n", 3, "hex: or hex(N):"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex:100\n", 3, "1 or 2 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex:01,,02\n", 3, "1 or 2 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex:01,\\\n  02,\\\n  zz\n", 5, "1 or 2 hexadecimal digits"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=hex:01,\\\n", 3, "ends inside a value"},
      {"REGEDIT4\n[HKCU\\A]\n\"v\"=- x\n", 3, "after the -"},
  };
  for (const Case& c : cases) {
    MemoryRegistry registry;
    Set(registry, reg::kCurrentUser, "Before", "v", reg::kDword, {5, 0, 0, 0});
    const std::string before = Dump(registry);
    // Changes ahead of the bad line are not made either.
    std::string text = c.text;
    const bool changesAhead = text.find("\n[") != std::string::npos;
    if (changesAhead) text.insert(text.find('\n') + 1, "[-HKCU\\Before]\n[HKCU\\New]\n");
    std::string error;
    EXPECT_FALSE(Import(text, registry, &error)) << c.text;
    EXPECT_EQ("t.reg:" + std::to_string(changesAhead ? c.line + 2 : c.line) + ": ", error.substr(0, error.find(' ') + 1))
        << c.text << " -> " << error;
    EXPECT_NE(std::string::npos, error.find(c.says)) << c.text << " -> " << error;
    EXPECT_EQ(before, Dump(registry)) << c.text;
    // A new registry, which the file's changes go into as they are read, is
    // new again after the error.
    MemoryRegistry fresh;
    EXPECT_FALSE(Import(text, fresh)) << c.text;
    EXPECT_EQ(Dump(MemoryRegistry()), Dump(fresh)) << c.text;
    EXPECT_EQ(0u, fresh.OpenHandleCount()) << c.text;
  }
}

TEST(RegFileTest, FilesAreReadWithWhatTheyHeld) {
  ScratchFolder scratch;
  MemoryRegistry loaded;
  std::string error;
  const std::string missing = scratch.Ansi() + "\\no such folder\\r.reg";
  EXPECT_FALSE(LoadRegistryFile(missing, loaded, &error));
  EXPECT_EQ(missing + ": cannot read the file", error);

  scratch.Write("bad.reg", "REGEDIT4\r\n[HKCU\\A]\r\nnonsense\r\n");
  EXPECT_FALSE(LoadRegistryFile(scratch.Ansi() + "\\bad.reg", loaded, &error));
  EXPECT_EQ(scratch.Ansi() + "\\bad.reg:3: ", error.substr(0, scratch.Ansi().size() + 12));

  const std::string text = "REGEDIT4\n; kept\n[HKCU\\A]\n\"v\"=dword:1\n";
  scratch.Write("r.reg", text);
  RegistryFile file;
  ASSERT_TRUE(LoadRegistryFile(scratch.Ansi() + "\\r.reg", loaded, &error, &file)) << error;
  EXPECT_EQ(Bytes({1, 0, 0, 0}), Get(loaded, reg::kCurrentUser, "A", "v"));
  std::string again;
  ASSERT_TRUE(file.Rewrite({}, &again, &error));
  EXPECT_EQ(text, again);
}

// A file read from disk a window at a time reads and writes back as the same
// file read whole: lines and line ends across a window's edge, a line longer
// than a window. A file that shrinks after it was read fails the rewrite
// instead of writing it short.
TEST(RegFileTest, AFileReadInWindowsIsTheFileReadWhole) {
  const std::pair<const char*, bool> forms[] = {{"\r\n", false}, {"\r", false}, {"\r\n", true}, {"\n", true}};
  for (const auto& [newline, utf16] : forms) {
    {
      SCOPED_TRACE(std::string(utf16 ? "UTF-16 " : "ANSI ") + (newline[0] == '\n' ? "LF" : newline[1] ? "CR LF" : "CR"));
      std::string text = std::string(utf16 ? "Windows Registry Editor Version 5.00" : "REGEDIT4") + newline, key;
      for (int k = 0; text.size() < 1100000; ++k) {
        key = "Big\\K" + std::to_string(k);
        text += std::string(newline) + "[HKEY_CURRENT_USER\\" + key + "]" + newline;
        for (int v = 0; v < 1 + k % 7; ++v)
          text += "\"V" + std::to_string(v) + "\"=\"text " + std::string(static_cast<std::size_t>(k % 13), 'x') + "\"" + newline;
      }
      std::string list = "ab";  // a line longer than a window
      for (int n = 1; n < 400000; ++n) list += ",ab";
      text += "\"Long\"=hex:" + list + newline;
      std::string bytes = utf16 ? "\xFF\xFE" : "";
      for (char c : text) utf16 ? (bytes += c) += '\0' : bytes += c;

      ScratchFolder scratch;
      scratch.Write("r.reg", bytes);
      auto opened = std::make_unique<OpenFile>();
      std::string error;
      ASSERT_TRUE(opened->Open(scratch.Ansi() + "\\r.reg", &error)) << error;
      MemoryRegistry fromDisk, whole;
      RegistryFile windowed, held;
      ASSERT_TRUE(windowed.Read(std::move(opened), "r.reg", fromDisk, &error)) << error;
      ASSERT_TRUE(held.Read(bytes, "r.reg", whole, &error)) << error;
      EXPECT_EQ(Bytes(400000, 0xAB), Get(fromDisk, reg::kCurrentUser, key, "Long"));
      Set(fromDisk, reg::kCurrentUser, key, "Long", reg::kBinary, {});  // the rest compared as text
      Set(whole, reg::kCurrentUser, key, "Long", reg::kBinary, {});
      EXPECT_EQ(Dump(whole), Dump(fromDisk));
      const std::vector<RegChange> made = {
          {RegChange::kSetValue, reg::kCurrentUser, "Big\\K3", "V0", reg::kDword, {1, 0, 0, 0}}};
      std::string fromWindows, fromHeld;
      ASSERT_TRUE(windowed.Rewrite({}, &fromWindows, &error)) << error;
      EXPECT_TRUE(fromWindows == bytes);
      ASSERT_TRUE(windowed.Rewrite(made, &fromWindows, &error) && held.Rewrite(made, &fromHeld, &error)) << error;
      EXPECT_TRUE(fromWindows == fromHeld);
      EXPECT_FALSE(fromWindows == bytes);

      scratch.Write("r.reg", bytes.substr(0, bytes.size() / 2));
      EXPECT_FALSE(windowed.Rewrite(made, &fromWindows, &error));
      EXPECT_EQ("cannot read the file again: it is shorter than it was", error);
    }
  }
}

}  // namespace
}  // namespace corvandel
