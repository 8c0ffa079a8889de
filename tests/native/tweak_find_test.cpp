// Finding tree nodes by words, and "corvandel-cli find" over a language file.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_fixture.h"
#include "nav/tweak_find.h"
#include "nav/tweak_table.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

std::vector<int> MatchingIds(const TweakTable& table, std::string_view query) {
  const std::vector<TreeItem> nodes = TreeItems(table, CatalogueDispatch());
  std::vector<int> ids;
  for (std::size_t at : FindMatches(nodes, table, FindWords(query))) ids.push_back(nodes[at].tweakId);
  return ids;
}

std::size_t PositionOf(const std::vector<TreeItem>& nodes, int tweakId) {
  for (std::size_t at = 0; at < nodes.size(); ++at)
    if (nodes[at].tweakId == tweakId) return at;
  ADD_FAILURE() << "no node " << tweakId;
  return 0;
}

TEST(TweakFind, QueriesSplitAtBlanksAndTabs) {
  EXPECT_EQ((std::vector<std::string>{"dr", "Watson", "x"}), FindWords("  dr \tWatson x "));
  EXPECT_TRUE(FindWords(" \t ").empty());
}

TEST(TweakFind, EveryWordMustOccurInTitleDescriptionOrNodeTextInAnyCase) {
  const TweakTable table = BuildTweakTable();
  struct Case {
    const char* query;
    std::vector<int> ids;  // in tree order
  };
  const Case cases[] = {
      {"unc", {3, 56, 110}},              // "UNC" in 3's title; inside "function" and "launch"
      {"UNC paths", {3}},                 // both words
      {"WATSON sound", {18, 24}},         // 24 names Dr Watson only in its description
      {"exclamation marks", {9}},         // the description alone
      {"Minimize,", {58}},                // the node's own text; its title has no comma
      {"accessories", {0}},               // a category
      {"unc xyzzy", {}},                  // one word missing is no match
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.ids, MatchingIds(table, c.query)) << c.query;
}

TEST(TweakFind, NextMatchWrapsBothWaysAndFindsTheCurrentNodeLast) {
  const TweakTable table = BuildTweakTable();
  const std::vector<TreeItem> nodes = TreeItems(table, CatalogueDispatch());
  const std::vector<std::string> sound = FindWords("watson sound");
  const std::size_t first = PositionOf(nodes, 18), second = PositionOf(nodes, 24);
  EXPECT_EQ(first, FindNextMatch(nodes, table, sound, std::nullopt, true));
  EXPECT_EQ(second, FindNextMatch(nodes, table, sound, std::nullopt, false));
  EXPECT_EQ(second, FindNextMatch(nodes, table, sound, first, true));
  EXPECT_EQ(first, FindNextMatch(nodes, table, sound, second, true));    // past the end to the start
  EXPECT_EQ(second, FindNextMatch(nodes, table, sound, first, false));   // before the start to the end
  EXPECT_EQ(second, FindNextMatch(nodes, table, sound, PositionOf(nodes, 0), false));
  EXPECT_EQ(first, FindNextMatch(nodes, table, sound, PositionOf(nodes, 0), true));
  EXPECT_EQ(first, FindNextMatch(nodes, table, sound, nodes.size() + 5, true));  // a stale position starts over

  const std::vector<std::string> unique = FindWords("UNC paths");
  const std::size_t only = PositionOf(nodes, 3);
  EXPECT_EQ(only, FindNextMatch(nodes, table, unique, only, true));
  EXPECT_EQ(only, FindNextMatch(nodes, table, unique, only, false));
  EXPECT_EQ(std::nullopt, FindNextMatch(nodes, table, FindWords("xyzzy"), only, true));
  EXPECT_EQ(std::nullopt, FindNextMatch({}, table, unique, std::nullopt, true));
}

TEST_F(CliAppTest, FindPrintsTheMatchingNodesWithTheirTranslatedTitles) {
  scratch.Write("Language\\English.ini",
                "[1004]\r\n32=Erlaube UNC-Pfade\r\n33=Ohne Warnung im Netzwerkordner\r\n"
                "182=Dr Watson klingelt\r\n");
  ASSERT_EQ(kExitOk, Run({"find", "erlaube", "--home", scratch.Ansi()})) << err.str();
  EXPECT_EQ("3 Erlaube UNC-Pfade\n", out.str());
  ASSERT_EQ(kExitOk, Run({"find", "netzwerkordner", "--home", scratch.Ansi()})) << err.str();
  EXPECT_EQ("3 Erlaube UNC-Pfade\n", out.str());
  // One argument may hold several words; the old title is gone, the tree's text stays.
  ASSERT_EQ(kExitOk, Run({"find", "watson Sound", "--home", scratch.Ansi()})) << err.str();
  EXPECT_EQ((std::vector<std::string>{"18 Dr Watson klingelt", "24 Specify the Wave File for Sound Notification"}),
            Lines());
  ASSERT_EQ(kExitOk, Run({"find", "xyzzy", "--home", scratch.Ansi()})) << err.str();
  EXPECT_EQ("", out.str());
  EXPECT_EQ(kExitUsage, Run({"find", " "}));
  EXPECT_EQ("corvandel-cli: find needs a word\n", err.str());
}

}  // namespace
}  // namespace corvandel
