// A registry file written back after a run: exactly what it held plus the
// run's changes, in its own encoding and form. The expected files are worked
// out by hand (UTF-16 from the compiler's own u"" literals), so the writer
// cannot grade itself; each is also read again and compared with the
// registry the run left.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "services/ansi_text.h"
#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_recording.h"

namespace corvandel {
namespace {

constexpr RegKey kHkcu = reg::kCurrentUser;

// A file's bytes: REGEDIT4 text is ASCII here; version 5.00 files are
// UTF-16LE with their byte-order mark.
std::string FileBytes(std::u16string_view text, bool utf16) {
  std::string bytes = utf16 ? "\xFF\xFE" : "";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    if (utf16) bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// A name as the program's code page keeps it from a Unicode file.
std::string K(std::u16string_view name) { return NarrowKeepingUnicode(name); }

std::string Dump(const MemoryRegistry& registry) {
  std::ostringstream out;
  for (RegKey root : {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers})
    registry.ForEachKey(root, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      out << root << '\\' << path << '\n';
      for (const auto& value : values) {
        out << "  [" << value.name << "] " << value.type << ':';
        for (std::uint8_t byte : value.data) out << ' ' << int{byte};
        out << '\n';
      }
    });
  return out.str();
}

// Reads the file, runs the change over a recorder as the front end does, and
// writes the file back.
std::string Rewritten(const std::string& bytes, const std::function<void(IRegistry&)>& change,
                      MemoryRegistry& registry) {
  RegistryFile file;
  std::string error, out;
  EXPECT_TRUE(file.Read(bytes, "t.reg", registry, &error)) << error;
  RecordingRegistry recorder(registry);
  recorder.Begin(nullptr, /*listMade=*/true);
  change(recorder);
  EXPECT_TRUE(file.Rewrite(recorder.End().made, &out, &error)) << error;
  return out;
}

struct RewriteCase {
  const char* what;
  bool utf16;
  std::u16string before;
  std::function<void(IRegistry&)> change;
  std::u16string after;
};

TEST(RegFileRewrite, KeepsEveryLineTheRunDidNotChange) {
  const std::u16string japan =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\日本]\r\n\"名前\"=\"値 Ω 😀\"\r\n\"n\"=dword:00000001\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\中国]\r\n\"n\"=dword:00000002\r\n"
      u"\"t\"=hex(1):41,00,3a,04\r\n\r\n";
  const std::u16string commented =
      u"REGEDIT4\r\n; exported by hand\r\n\r\n"
      u"[hkey_current_user\\SOFTWARE\\b]\r\n\"x\"=dword:00000001\r\n\"gone\"=-\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\A]\r\n\"y\"=\"1\"\r\n\r\n"
      u"; a comment of its own\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n\r\n"
      u"[HKEY_CURRENT_CONFIG\\System\\CurrentControlSet]\r\n\"z\"=dword:00000003\r\n\r\n";
  const RewriteCase cases[] = {
      {"a value of a non-Latin key, the key beside it untouched", true, japan,
       [](IRegistry& r) { RegistryKey::Open(r, kHkcu, K(u"Software\\日本")).WriteDword("n", 5); },
       u"Windows Registry Editor Version 5.00\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\日本]\r\n\"名前\"=\"値 Ω 😀\"\r\n\"n\"=dword:00000005\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\中国]\r\n\"n\"=dword:00000002\r\n"
       u"\"t\"=hex(1):41,00,3a,04\r\n\r\n"},
      {"text without its zero as UTF-16 bytes, a non-Latin value name", true, japan,
       [](IRegistry& r) { RegistryKey::Open(r, kHkcu, K(u"Software\\中国")).WriteText(K(u"Ωμ"), K(u"Aд")); },
       u"Windows Registry Editor Version 5.00\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\日本]\r\n\"名前\"=\"値 Ω 😀\"\r\n\"n\"=dword:00000001\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\中国]\r\n\"n\"=dword:00000002\r\n"
       u"\"t\"=hex(1):41,00,3a,04\r\n\"Ωμ\"=hex(1):41,00,34,04\r\n\r\n"},
      {"a value deleted, a key made under a non-Latin key", true, japan,
       [](IRegistry& r) {
         RegistryKey::Open(r, kHkcu, K(u"Software\\日本")).DeleteValue(K(u"名前"));
         RegistryKey::Create(r, kHkcu, K(u"Software\\日本\\新")).WriteDword("m", 0x10);
       },
       u"Windows Registry Editor Version 5.00\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\日本]\r\n\"n\"=dword:00000001\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\日本\\新]\r\n\"m\"=dword:00000010\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\中国]\r\n\"n\"=dword:00000002\r\n"
       u"\"t\"=hex(1):41,00,3a,04\r\n\r\n"},
      {"comments, deletion lines, case and order stay; HKEY_CURRENT_CONFIG stays", false, commented,
       [](IRegistry& r) {
         RegistryKey::Open(r, kHkcu, "Software\\B").WriteDword("X", 2);
         RegistryKey::Open(r, kHkcu, "Software\\A").WriteText("new", "v");
       },
       u"REGEDIT4\r\n; exported by hand\r\n\r\n"
       u"[hkey_current_user\\SOFTWARE\\b]\r\n\"x\"=dword:00000002\r\n\"gone\"=-\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\A]\r\n\"y\"=\"1\"\r\n\"new\"=hex(1):76\r\n\r\n"
       u"; a comment of its own\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n\r\n"
       u"[HKEY_CURRENT_CONFIG\\System\\CurrentControlSet]\r\n\"z\"=dword:00000003\r\n\r\n"},
      {"a deleted key's section goes, the comment after it stays", false, commented,
       [](IRegistry& r) { DeleteTreeAt(r, kHkcu, "Software\\A"); },
       u"REGEDIT4\r\n; exported by hand\r\n\r\n"
       u"[hkey_current_user\\SOFTWARE\\b]\r\n\"x\"=dword:00000001\r\n\"gone\"=-\r\n\r\n"
       u"; a comment of its own\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n\r\n"
       u"[HKEY_CURRENT_CONFIG\\System\\CurrentControlSet]\r\n\"z\"=dword:00000003\r\n\r\n"},
      {"a key the file deleted comes back after its deletion", false, commented,
       [](IRegistry& r) { RegistryKey::Create(r, kHkcu, "Software\\Old\\Sub").WriteDword("o", 7); },
       u"REGEDIT4\r\n; exported by hand\r\n\r\n"
       u"[hkey_current_user\\SOFTWARE\\b]\r\n\"x\"=dword:00000001\r\n\"gone\"=-\r\n\r\n"
       u"[HKEY_CURRENT_USER\\Software\\A]\r\n\"y\"=\"1\"\r\n\r\n"
       u"; a comment of its own\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
       u"\r\n[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n\"o\"=dword:00000007\r\n\r\n"
       u"[HKEY_CURRENT_CONFIG\\System\\CurrentControlSet]\r\n\"z\"=dword:00000003\r\n\r\n"},
      {"a new key of a new root part goes after the file's last content; LF ends and no final line end", false,
       u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\M]\n\"a\"=dword:00000001",
       [](IRegistry& r) {
         RegistryKey::Create(r, kHkcu, "Software\\N").WriteBinary("b", {1, 2});
         RegistryKey::Open(r, reg::kLocalMachine, "Software\\M").WriteDword("a", 3);
       },
       u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\M]\n\"a\"=dword:00000003\n\n[HKEY_CURRENT_USER\\Software\\N]\n"
       u"\"b\"=hex:01,02\n"},
      {"a deleted key's parent, made only through it, keeps a section where it was", false,
       u"REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Folder\\shell\\explore]\r\n@=\"E\"\r\n\r\n"
       u"[HKEY_CLASSES_ROOT\\Folder\\shell\\explore\\command]\r\n@=\"x\"\r\n\r\n[HKEY_CLASSES_ROOT\\Directory]\r\n",
       [](IRegistry& r) { DeleteTreeAt(r, reg::kClassesRoot, "Folder\\shell\\explore"); },
       u"REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Folder\\shell]\r\n\r\n[HKEY_CLASSES_ROOT\\Directory]\r\n"},
      {"the last word on a value in a key named twice is the one changed", false,
       u"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:00000001\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n"
       u"\"v\"=dword:00000002\r\n\"w\"=dword:00000003\r\n",
       [](IRegistry& r) {
         RegistryKey::Open(r, kHkcu, "K").WriteDword("v", 9);
         RegistryKey::Open(r, kHkcu, "K").DeleteValue("w");
       },
       u"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:00000001\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n"
       u"\"v\"=dword:00000009\r\n"},
  };
  for (const RewriteCase& c : cases) {
    MemoryRegistry registry;
    const std::string written = Rewritten(FileBytes(c.before, c.utf16), c.change, registry);
    EXPECT_EQ(FileBytes(c.after, c.utf16), written) << c.what;
    MemoryRegistry again;
    std::string error;
    EXPECT_TRUE(RegistryFile().Read(written, "again.reg", again, &error)) << c.what << ": " << error;
    EXPECT_EQ(Dump(registry), Dump(again)) << c.what;
  }
}

TEST(RegFileRewrite, KeysThatDifferOnlyOutsideTheCodePageStayApart) {
  MemoryRegistry registry;
  std::string error;
  ASSERT_TRUE(RegistryFile().Read(FileBytes(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\日本]\r\n"
                                            u"\"a\"=dword:00000001\r\n[HKEY_CURRENT_USER\\中国]\r\n\"a\"=dword:00000002\r\n",
                                            true),
                                  "t.reg", registry, &error));
  EXPECT_EQ(1u, RegistryKey::Open(registry, kHkcu, K(u"日本")).ReadDword("a"));
  EXPECT_EQ(2u, RegistryKey::Open(registry, kHkcu, K(u"中国")).ReadDword("a"));
  // Every UTF-16 unit, lone surrogates and the mark's own character included,
  // comes back as it was.
  const std::u16string units = {u'A', 0x0081, 0xD800, u'?', 0xDFFF, 0x20AC, 0xFFFF, 0x00E9};
  EXPECT_EQ(units, WidenKeptUnicode(NarrowKeepingUnicode(units)));
  EXPECT_EQ(std::string("A?\x80\xE9"), NarrowKeepingUnicode(u"A?\u20AC\u00E9"));
}

TEST(RegFileRewrite, AUtf8FileStaysUtf8) {
  const std::string before = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\\xCE\xA9]\r\n"
                             "\"a\"=\"\xE2\x82\xAC\"\r\n\r\n";
  MemoryRegistry registry;
  const std::string written = Rewritten(before, [](IRegistry& r) {
    RegistryKey::Open(r, kHkcu, K(u"Ω")).WriteText("b", "x");
  }, registry);
  EXPECT_EQ("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\\xCE\xA9]\r\n"
            "\"a\"=\"\xE2\x82\xAC\"\r\n\"b\"=hex(1):78,00\r\n\r\n",
            written);
}

TEST(RegFileRewrite, ARunThatChangesNothingGivesTheSameBytes) {
  const std::string odd = "REGEDIT4\n[HKCU\\A]\n\"v\"=hex:01,\\\n ; between\n  02\n\"w\"=hex(1):41";
  MemoryRegistry registry;
  EXPECT_EQ(odd, Rewritten(odd, [](IRegistry& r) { RegistryKey::Open(r, kHkcu, "A").WriteBinary("v", {1, 2}); },
                           registry));
}

TEST(RegFileRewrite, KeysDeeperThanTheRegistryAllowsAreRefused) {
  for (const std::size_t depth : {kMaxKeyDepth, kMaxKeyDepth + 1, std::size_t{20000}}) {
    std::string path = "HKEY_CURRENT_USER";
    for (std::size_t i = 0; i < depth; ++i) path += "\\k";
    MemoryRegistry registry;
    std::string error;
    const bool read = RegistryFile().Read("REGEDIT4\r\n\r\n[" + path + "]\r\n", "deep.reg", registry, &error);
    EXPECT_EQ(depth <= kMaxKeyDepth, read) << depth;
    if (!read) {
      EXPECT_EQ("deep.reg:3: a key " + std::to_string(depth) + " levels deep; the registry allows 512", error);
    }
  }
}

// Files written for people: text stored without its zero is shown beside its
// bytes; names only a Unicode file can hold make the file version 5.00.
TEST(RegFileRewrite, ChangesFilesShowTextAndKeepUnicode) {
  const std::vector<RegChange> plain = {
      {RegChange::kSetValue, kHkcu, "Software\\Corvandel", "Language", reg::kSz, {'T', 'e', 's', 't', 'e', 'r'}}};
  EXPECT_EQ("REGEDIT4\r\n; c\r\n\r\n[HKEY_CURRENT_USER\\Software\\Corvandel]\r\n"
            "\"Language\"=hex(1):54,65,73,74,65,72\r\n; \"Tester\"\r\n",
            RegistryChangesText(plain, {"c"}));
  const std::string name = K(u"日");
  const std::vector<RegChange> wide = {{RegChange::kSetValue, kHkcu, name, "", reg::kSz, {'a'}}};
  EXPECT_EQ(FileBytes(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\日]\r\n@=hex(1):61,00\r\n"
                      u"; \"a\"\r\n",
                      true),
            RegistryChangesText(wide, {}));
  std::vector<RegChange> back;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(RegistryChangesText(wide, {}), "c.reg", &back, &error)) << error;
  EXPECT_EQ(name, back.at(1).path);
  EXPECT_EQ(std::vector<std::uint8_t>{'a'}, back.at(1).data);
}

}  // namespace
}  // namespace corvandel
