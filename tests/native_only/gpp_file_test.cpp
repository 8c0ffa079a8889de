// Preferences Registry.xml files read back with pugixml, so that the writer
// does not grade itself, and one file checked byte for byte against the
// layout worked out by hand.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <set>

#include "services/gpp_file.h"
#include "services/xml_text.h"

namespace corvandel {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

struct Item {
  std::string action, dflt, hive, key, name, type, value;
  bool operator==(const Item&) const = default;
};

GppStamp CountingStamp() {
  auto next = std::make_shared<int>(0);
  return {"2026-12-07 10:00:00", [next] {
            char uid[40];
            std::snprintf(uid, sizeof(uid), "{00000000-0000-4000-8000-%012d}", ++*next);
            return std::string(uid);
          }};
}

TEST(GppFileTest, EveryKindOfChangeReadsBackAsItsItem) {
  const struct {
    RegChange change;
    Item item;
  } rows[] = {
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "Text", reg::kSz, Bytes("a&b<c>\"d\"")},
       {"U", "0", "HKEY_CURRENT_USER", "Software\\T", "Text", "REG_SZ", "a&b<c>\"d\""}},
      {{RegChange::kSetValue, reg::kLocalMachine, "Software\\T", "Path", reg::kExpandSz, Bytes(std::string("%W%\0", 4))},
       {"U", "0", "HKEY_LOCAL_MACHINE", "Software\\T", "Path", "REG_EXPAND_SZ", "%W%"}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "N", reg::kDword, {0x2A, 0, 0, 0x80}},
       {"U", "0", "HKEY_CURRENT_USER", "Software\\T", "N", "REG_DWORD", "8000002A"}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T", "B", reg::kBinary, {0, 0xAB, 0x10}},
       {"U", "0", "HKEY_CURRENT_USER", "Software\\T", "B", "REG_BINARY", "00AB10"}},
      {{RegChange::kSetValue, reg::kClassesRoot, "txtfile", "", reg::kSz, Bytes("Text\tDocument\r\n")},
       {"U", "1", "HKEY_CLASSES_ROOT", "txtfile", "", "REG_SZ", "Text\tDocument\r\n"}},
      {{RegChange::kSetValue, reg::kCurrentUser, "Software\\T;[x]", "a;b]\xE9", reg::kSz, Bytes("\x80")},
       {"U", "0", "HKEY_CURRENT_USER", "Software\\T;[x]", "a;b]\xC3\xA9", "REG_SZ", "\xE2\x82\xAC"}},
      {{RegChange::kDeleteValue, reg::kCurrentUser, "Software\\T", "Old", reg::kNone, {}},
       {"D", "0", "HKEY_CURRENT_USER", "Software\\T", "Old", "REG_SZ", ""}},
      {{RegChange::kDeleteKey, reg::kUsers, ".DEFAULT\\T\\Sub", "", reg::kNone, {}},
       {"D", "0", "HKEY_USERS", ".DEFAULT\\T\\Sub", "", "REG_SZ", ""}},
  };
  std::vector<RegChange> changes;
  std::vector<Item> expected;
  for (const auto& row : rows) {
    changes.push_back(row.change);
    expected.push_back(row.item);
  }
  std::string error;
  const auto xml = GppRegistryXml(changes, CountingStamp(), &error);
  ASSERT_TRUE(xml) << error;

  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(xml->data(), xml->size(), pugi::parse_default,
                                                             pugi::encoding_utf8);
  ASSERT_TRUE(parsed) << parsed.description();
  const pugi::xml_node settings = document.child("RegistrySettings");
  EXPECT_STREQ("{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}", settings.attribute("clsid").value());
  std::vector<Item> items;
  std::set<std::string> uids;
  for (const pugi::xml_node registry : settings.children()) {
    EXPECT_STREQ("Registry", registry.name());
    EXPECT_STREQ("{9CD4B2F4-923D-47f5-A062-E897DD1DAD50}", registry.attribute("clsid").value());
    EXPECT_STREQ("2026-12-07 10:00:00", registry.attribute("changed").value());
    uids.insert(registry.attribute("uid").value());
    const pugi::xml_node p = registry.child("Properties");
    items.push_back({p.attribute("action").value(), p.attribute("default").value(), p.attribute("hive").value(),
                     p.attribute("key").value(), p.attribute("name").value(), p.attribute("type").value(),
                     p.attribute("value").value()});
  }
  EXPECT_EQ(expected, items);
  EXPECT_EQ(expected.size(), uids.size());
}

TEST(GppFileTest, WhatTheItemsCannotHoldIsRefusedByKey) {
  std::string error;
  EXPECT_FALSE(GppRegistryXml({{RegChange::kSetValue, reg::kCurrentUser, "S", "M", reg::kMultiSz, Bytes("a")}},
                              CountingStamp(), &error));
  EXPECT_EQ(0u, error.find("HKEY_CURRENT_USER\\S\\M: "));
  EXPECT_FALSE(GppRegistryXml({{RegChange::kSetValue, reg::kCurrentUser, "S", "D", reg::kDword, {1, 0}}},
                              CountingStamp(), &error));
  EXPECT_FALSE(GppRegistryXml({{RegChange::kSetValue, reg::kCurrentUser, "S", "C", reg::kSz, Bytes("\x01")}},
                              CountingStamp(), &error));
  EXPECT_EQ(0u, error.find("HKEY_CURRENT_USER\\S: "));
}

// Worked out by hand from the item layout: declaration, collection, one item.
TEST(GppFileTest, OneDwordGivesTheDocumentedFile) {
  std::string error;
  const auto xml = GppRegistryXml({{RegChange::kSetValue, reg::kCurrentUser, "Software\\K", "V", reg::kDword,
                                    {1, 0, 0, 0}}},
                                  CountingStamp(), &error);
  ASSERT_TRUE(xml) << error;
  EXPECT_EQ(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<RegistrySettings clsid=\"{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}\">\r\n"
      "<Registry clsid=\"{9CD4B2F4-923D-47f5-A062-E897DD1DAD50}\" name=\"V\" changed=\"2026-12-07 10:00:00\" "
      "uid=\"{00000000-0000-4000-8000-000000000001}\">\r\n"
      "<Properties action=\"U\" default=\"0\" hive=\"HKEY_CURRENT_USER\" key=\"Software\\K\" name=\"V\" "
      "type=\"REG_DWORD\" value=\"00000001\"/>\r\n"
      "</Registry>\r\n"
      "</RegistrySettings>\r\n",
      *xml);
}

}  // namespace
}  // namespace corvandel
