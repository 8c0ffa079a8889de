// The help file's sources agree with the navigation tree: its contents list the
// categories in tree order, each category page names the category's groups and
// tweaks exactly as the tree shows them and in the same order, and every link of
// the contents and the index leads to a page of the project and an anchor in it.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "nav/tree_model.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

const std::string kHelpDir = std::string(CORVANDEL_SOURCE_DIR) + "/data/Help/src/";

std::string ReadHelpFile(const std::string& name) {
  std::ifstream in(kHelpDir + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string DecodeEntities(const std::string& text) {
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&#x27;", "'"}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, plain] : kEntities) {
      const std::string e = entity;
      if (text.compare(i, e.size(), e) == 0) {
        out += plain;
        i += e.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

// The value of attribute `name` inside the tag text `tag`, or "" when absent.
std::string Attribute(const std::string& tag, const std::string& name) {
  const std::string key = name + "=\"";
  const std::size_t at = tag.find(key);
  if (at == std::string::npos) return "";
  const std::size_t start = at + key.size();
  return DecodeEntities(tag.substr(start, tag.find('"', start) - start));
}

// One entry of a category page: a group heading or a tweak title.
struct PageEntry {
  bool isGroup;
  std::string text;
  bool operator==(const PageEntry&) const = default;
};

void PrintTo(const PageEntry& entry, std::ostream* os) {
  *os << (entry.isGroup ? "group \"" : "tweak \"") << entry.text << '"';
}

// Group headings (<h2 class="group">) and tweak titles (<dt>) in page order.
std::vector<PageEntry> PageEntries(const std::string& page) {
  std::vector<PageEntry> entries;
  for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
    const std::size_t tagEnd = page.find('>', at);
    if (tagEnd == std::string::npos) break;
    const std::string tag = page.substr(at, tagEnd - at + 1);
    const bool isGroup = tag.rfind("<h2", 0) == 0 && Attribute(tag, "class") == "group";
    const bool isTweak = tag.rfind("<dt", 0) == 0;
    if (!isGroup && !isTweak) continue;
    const std::size_t close = page.find(isGroup ? "</h2>" : "</dt>", tagEnd);
    entries.push_back({isGroup, DecodeEntities(page.substr(tagEnd + 1, close - tagEnd - 1))});
  }
  return entries;
}

// The ids of every element of a page, the targets of "page#id" links.
std::set<std::string> PageIds(const std::string& page) {
  std::set<std::string> ids;
  for (std::size_t at = page.find(" id=\""); at != std::string::npos; at = page.find(" id=\"", at + 1)) {
    const std::size_t start = at + 5;
    ids.insert(page.substr(start, page.find('"', start) - start));
  }
  return ids;
}

// The Name and Local parameters of each entry of a contents or index file, in
// file order. An index entry with several topics yields one pair per topic.
std::vector<std::pair<std::string, std::string>> SitemapLinks(const std::string& sitemap) {
  std::vector<std::pair<std::string, std::string>> links;
  std::string name;
  for (std::size_t at = sitemap.find("<param "); at != std::string::npos; at = sitemap.find("<param ", at + 1)) {
    const std::string tag = sitemap.substr(at, sitemap.find('>', at) - at + 1);
    if (Attribute(tag, "name") == "Name") name = Attribute(tag, "value");
    if (Attribute(tag, "name") == "Local") links.emplace_back(name, Attribute(tag, "value"));
  }
  return links;
}

// The file names of the [FILES] section of the help project.
std::set<std::string> ProjectFiles() {
  std::istringstream project(ReadHelpFile("English.hhp"));
  std::set<std::string> files;
  bool inFiles = false;
  for (std::string line; std::getline(project, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inFiles = line == "[FILES]";
    } else if (inFiles && !line.empty()) {
      files.insert(line);
    }
  }
  return files;
}

// What the tree shows: each category with its groups and tweaks in tree order,
// and the tweaks at the root.
struct TreeContent {
  std::vector<std::pair<std::string, std::vector<PageEntry>>> categories;
  std::vector<PageEntry> rootTweaks;
};

TreeContent ContentOfTree() {
  TreeContent content;
  for (const TreeRow& row : CatalogueDispatch().TreeNodes()) {
    const std::string text = NodeText(row);
    switch (row.kind) {
      case NodeKind::kCategory:
        content.categories.push_back({text, {}});
        break;
      case NodeKind::kGroup:
      case NodeKind::kTweak:
        content.categories.back().second.push_back({row.kind == NodeKind::kGroup, text});
        break;
      case NodeKind::kRootTweak:
        content.rootTweaks.push_back({false, text});
        break;
    }
  }
  return content;
}

// Reports the first entry that differs, which a whole-list comparison buries.
void ExpectSameEntries(const std::vector<PageEntry>& expected, const std::vector<PageEntry>& actual) {
  for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
    if (!(expected[i] == actual[i])) {
      ADD_FAILURE() << "entry " << i << ": the tree has " << testing::PrintToString(expected[i]) << ", the page "
                    << testing::PrintToString(actual[i]);
      return;
    }
  }
  EXPECT_EQ(expected.size(), actual.size()) << "entries";
}

std::map<std::string, std::string> PagesByContentsName() {
  std::map<std::string, std::string> pages;
  for (const auto& [name, local] : SitemapLinks(ReadHelpFile("English.hhc"))) pages[name] = local;
  return pages;
}

TEST(HelpPages, ContentsListTheCategoriesInTreeOrder) {
  const std::string contents = ReadHelpFile("English.hhc");
  ASSERT_FALSE(contents.empty()) << "cannot read " << kHelpDir << "English.hhc";
  std::vector<std::string> expected = {"Introduction", "Using Corvandel", "Categories"};
  for (const auto& [category, entries] : ContentOfTree().categories) expected.push_back(category);
  expected.push_back("Further Tweaks");
  std::vector<std::string> names;
  for (const auto& [name, local] : SitemapLinks(contents)) names.push_back(name);
  EXPECT_EQ(expected, names);
}

TEST(HelpPages, EachCategoryPageNamesItsGroupsAndTweaksAsTheTreeShowsThem) {
  const TreeContent tree = ContentOfTree();
  ASSERT_EQ(10u, tree.categories.size());
  const auto pages = PagesByContentsName();
  for (const auto& [category, expected] : tree.categories) {
    SCOPED_TRACE(category);
    ASSERT_TRUE(pages.count(category));
    const std::string page = ReadHelpFile(pages.at(category));
    ASSERT_FALSE(page.empty()) << "cannot read " << pages.at(category);
    ExpectSameEntries(expected, PageEntries(page));
  }
}

TEST(HelpPages, FurtherTweaksPageNamesTheRootTweaks) {
  const TreeContent tree = ContentOfTree();
  ASSERT_EQ(4u, tree.rootTweaks.size());
  const auto pages = PagesByContentsName();
  ASSERT_TRUE(pages.count("Further Tweaks"));
  ExpectSameEntries(tree.rootTweaks, PageEntries(ReadHelpFile(pages.at("Further Tweaks"))));
}

// The targets of the href and src attributes of a page.
std::vector<std::string> PageLinks(const std::string& page) {
  std::vector<std::string> links;
  for (const char* key : {" href=\"", " src=\""}) {
    const std::string k = key;
    for (std::size_t at = page.find(k); at != std::string::npos; at = page.find(k, at + 1)) {
      const std::size_t start = at + k.size();
      links.push_back(page.substr(start, page.find('"', start) - start));
    }
  }
  return links;
}

// "file#anchor" or "file" leads to a file of the project and, if named, an id in it.
void ExpectLinkResolves(const std::set<std::string>& files, const std::string& link) {
  SCOPED_TRACE(link);
  const std::size_t hash = link.find('#');
  const std::string file = link.substr(0, hash);
  ASSERT_TRUE(files.count(file)) << "not in the project's [FILES]";
  const std::string page = ReadHelpFile(file);
  ASSERT_FALSE(page.empty()) << "missing file";
  if (hash != std::string::npos) {
    EXPECT_TRUE(PageIds(page).count(link.substr(hash + 1))) << "missing anchor";
  }
}

TEST(HelpPages, EveryLinkReachesAFileOfTheProjectAndItsAnchor) {
  const std::set<std::string> files = ProjectFiles();
  ASSERT_FALSE(files.empty()) << "cannot read " << kHelpDir << "English.hhp";
  for (const char* sitemap : {"English.hhc", "English.hhk"}) {
    const auto links = SitemapLinks(ReadHelpFile(sitemap));
    ASSERT_FALSE(links.empty()) << sitemap;
    for (const auto& [name, local] : links) {
      SCOPED_TRACE(std::string(sitemap) + ": " + name);
      ExpectLinkResolves(files, local);
    }
  }
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    for (const std::string& link : PageLinks(ReadHelpFile(file))) ExpectLinkResolves(files, link);
  }
}

// The keywords of the index: the first Name of each entry (the Names after it
// title the topics of a keyword that has several).
std::set<std::string> IndexKeywords() {
  const std::string index = ReadHelpFile("English.hhk");
  std::set<std::string> keywords;
  for (std::size_t at = index.find("<OBJECT"); at != std::string::npos; at = index.find("<OBJECT", at + 1)) {
    const std::size_t param = index.find("<param name=\"Name\"", at);
    if (param == std::string::npos) break;
    keywords.insert(Attribute(index.substr(param, index.find('>', param) - param + 1), "value"));
  }
  return keywords;
}

TEST(HelpPages, IndexHasAnEntryForEveryTweakTitleOfTheTree) {
  const std::set<std::string> keywords = IndexKeywords();
  const TreeContent tree = ContentOfTree();
  std::vector<PageEntry> all = tree.rootTweaks;
  for (const auto& [category, entries] : tree.categories) all.insert(all.end(), entries.begin(), entries.end());
  for (const PageEntry& entry : all) EXPECT_TRUE(keywords.count(entry.text)) << entry.text;
}

}  // namespace
}  // namespace corvandel
