#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scratch_folder.h"
#include "services/builtin_strings.h"
#include "services/language.h"
#include "services/profile_ini.h"

namespace corvandel {
namespace {

constexpr char kEnglishFile[] = "Language\\English.ini";

class LanguageTest : public testing::Test {
 protected:
  ScratchFolder folder;  // the program folder
  IniProfile profile;
  Language language{profile, folder.Ansi()};
};

TEST(UnescapeLangText, TurnsBackslashNAndTIntoLineFeedAndTab) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"plain", "plain"},
      {"Note:\\n\\tRestart", "Note:\n\tRestart"},
      {"\\n\\n", "\n\n"},
      {"a\\rb\\\\c\\\"d", "a\\rb\\\\c\\\"d"},  // no other escapes
      {"\\N\\T", "\\N\\T"},                   // lower case only
      {"ends\\", "ends\\"},
      {"\\\\n", "\\\n"},  // read left to right: the second backslash starts the escape
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, UnescapeLangText(c.text)) << c.text;
}

TEST(LanguageFile, PathFollowsTheProgramFolderAndTheCurrentName) {
  IniProfile profile;
  Language language{profile, "C:\\Tools"};
  EXPECT_EQ("English", language.Name());
  EXPECT_EQ("C:\\Tools\\Language\\", language.LanguageDirectory());
  EXPECT_EQ("C:\\Tools\\Language\\English.ini", language.FilePath());
  language.SetName("Deutsch");
  EXPECT_EQ("C:\\Tools\\Language\\Deutsch.ini", language.FilePath());
}

TEST_F(LanguageTest, WithoutAFileEveryStringIsBuiltIn) {
  for (const auto& entry : BuiltinStrings()) EXPECT_EQ(entry.text, language.GetLangString(entry.id)) << entry.id;
}

TEST_F(LanguageTest, FileEntriesReplaceStringsUnlessEmpty) {
  folder.Write(kEnglishFile,
               "[VantorelStringTable]\n"
               "2001=W A R N I N G\n"
               "2004=\n"
               "2003=Only on\\n2000/XP\n"
               "[OtherSection]\n"
               "2002=not this\n");
  EXPECT_EQ("W A R N I N G", language.GetLangString(2001));
  EXPECT_EQ("This Tweak is active only on Windows XP", language.GetLangString(2004));
  EXPECT_EQ("Only on\n2000/XP", language.GetLangString(2003));
  EXPECT_EQ("This Tweak is active only on Windows NT/2000/XP", language.GetLangString(2002));
}

TEST_F(LanguageTest, IdsTheTableLacksStayEmptyWhateverTheFileHolds) {
  folder.Write(kEnglishFile, "[VantorelStringTable]\n2023=from the file\n0=from the file\n102=from the file\n");
  EXPECT_EQ("", language.GetLangString(2023));
  EXPECT_EQ("", language.GetLangString(0));
  EXPECT_EQ("", language.GetLangString(102));
}

TEST_F(LanguageTest, StringsAreReadFromTheCurrentLanguageAtEachLookup) {
  folder.Write("Language\\Deutsch.ini", "[VantorelStringTable]\n2001=A C H T U N G\n");
  EXPECT_EQ("A L E R T", language.GetLangString(2001));
  language.SetName("Deutsch");
  EXPECT_EQ("A C H T U N G", language.GetLangString(2001));
}

TEST_F(LanguageTest, LongEntriesAreCutToTheBuffer) {
  folder.Write(kEnglishFile, "[VantorelStringTable]\n2002=" + std::string(3000, 'x') + "\n");
  EXPECT_EQ(1023u, language.GetLangString(2002).size());
}

// A dialog with a caption and direct children in z-order.
class FakeDialog : public IDialogTexts {
 public:
  struct Child {
    int id;
    std::string text;
  };
  std::string caption;
  std::vector<Child> children;

  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override { caption = text; }
  int ChildCount() const override { return static_cast<int>(children.size()); }
  int ChildControlId(int index) const override { return children.at(index).id; }
  std::string ChildText(int index) const override { return children.at(index).text; }
  void SetChildText(int index, const std::string& text) override { children.at(index).text = text; }
};

TEST_F(LanguageTest, TranslateDialogReplacesCaptionAndChildTexts) {
  folder.Write(kEnglishFile,
               "[102]\n"
               "102=Corvandel\\tDeutsch\n"
               "1016=Anwenden\n"
               "1004=\n"
               "-1=Etikett\n"
               "[100]\n"
               "1016=wrong dialog\n");
  FakeDialog dialog;
  dialog.caption = "Corvandel";
  dialog.children = {{1004, "TurboDLL"}, {1016, "Apply Changes"}, {-1, "a"}, {1053, ""}, {-1, "b"}};
  language.TranslateDialog(dialog, 102);
  EXPECT_EQ("Corvandel\tDeutsch", dialog.caption);
  EXPECT_EQ("TurboDLL", dialog.children[0].text);  // empty entry keeps the text
  EXPECT_EQ("Anwenden", dialog.children[1].text);
  EXPECT_EQ("Etikett", dialog.children[2].text);  // children sharing an ID all change
  EXPECT_EQ("", dialog.children[3].text);         // no entry, no text: stays empty
  EXPECT_EQ("Etikett", dialog.children[4].text);
}

TEST_F(LanguageTest, TranslateDialogKeepsTheCaptionOfDialogZero) {
  folder.Write(kEnglishFile, "[0]\n0=caption\n1016=child\n");
  FakeDialog dialog;
  dialog.caption = "Own";
  dialog.children = {{1016, "Apply"}};
  language.TranslateDialog(dialog, 0);
  EXPECT_EQ("Own", dialog.caption);
  EXPECT_EQ("child", dialog.children[0].text);
}

TEST_F(LanguageTest, DialogCaptionsAreCutTo259Characters) {
  folder.Write(kEnglishFile, "[100]\n100=" + std::string(500, 'c') + "\n1=" + std::string(2000, 't') + "\n");
  FakeDialog dialog;
  dialog.children = {{1, ""}};
  language.TranslateDialog(dialog, 100);
  EXPECT_EQ(259u, dialog.caption.size());
  EXPECT_EQ(1023u, dialog.children[0].text.size());
}

class TweakTableTranslation : public LanguageTest {
 protected:
  TweakTable table;
  void SetUp() override {
    for (int id = 0; id < 4; ++id)
      table.push_back({"Title " + std::to_string(id), "Description " + std::to_string(id), 2, id});
  }
  // The English file with the given lines in the titles section.
  void WriteTitles(const std::string& lines) { folder.Write(kEnglishFile, "[1004]\n" + lines); }
};

TEST_F(TweakTableTranslation, WithoutAFileTheTableIsUnchanged) {
  const TweakTable before = table;
  language.TranslateTweakTable(table);
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(before[i].title, table[i].title);
    EXPECT_EQ(before[i].description, table[i].description);
    EXPECT_EQ(before[i].tweakId, table[i].tweakId);
  }
}

TEST_F(TweakTableTranslation, TitlesAndDescriptionsComeFromTheirKeys) {
  WriteTitles("12=Erster\\tTitel\n13=\n33=Beschreibung\n");
  language.TranslateTweakTable(table);
  EXPECT_EQ("Erster\tTitel", table[1].title);
  EXPECT_EQ("Description 1", table[1].description);
  EXPECT_EQ("Title 3", table[3].title);
  EXPECT_EQ("Beschreibung", table[3].description);
}

TEST_F(TweakTableTranslation, ARemappedRowReadsItsTextsUnderTheNewId) {
  WriteTitles("21=3\n22=not read\n32=Title from 32\n33=Description from 33\n");
  language.TranslateTweakTable(table);
  EXPECT_EQ(3, table[2].tweakId);
  EXPECT_EQ("Title from 32", table[2].title);
  EXPECT_EQ("Description from 33", table[2].description);
  EXPECT_EQ(3, table[3].tweakId);  // row 3 reads the same keys
  EXPECT_EQ("Title from 32", table[3].title);
}

TEST_F(TweakTableTranslation, RemapValuesAreReadAsCDecimalNumbers) {
  const struct {
    const char* value;
    int tweakId;         // the row's TweakId afterwards
    const char* titleKey;  // the key its title is read from
  } cases[] = {
      {"999", 999, "9992"},
      {"+7x", 7, "72"},
      {"-5", -5, "-52"},
      {"abc", 0, "02"},                  // no digits give 0
      {"", 2, "22"},                     // empty: the row keeps its id
      {"99999999999", 2, "22"},          // out of range: the row keeps its id
      {"-99999999999", 2, "22"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    WriteTitles("21=" + std::string(c.value) + "\n" + c.titleKey + "=found\n");
    TweakTable rows = {{"t0", "d0", 2, 0}, {"t1", "d1", 2, 1}, {"t2", "d2", 2, 2}};
    language.TranslateTweakTable(rows);
    EXPECT_EQ(c.tweakId, rows[2].tweakId);
    EXPECT_EQ("found", rows[2].title);
    EXPECT_EQ(3u, rows.size());
  }
}

TEST_F(TweakTableTranslation, TextsArriveAsTheFileHasThem) {
  // Quotes and line breaks pass through; whoever writes titles elsewhere must
  // cope with them.
  WriteTitles("02=Say \"hi\"\\nnow\n03=it's \"quoted\"\tand tabbed\n");
  language.TranslateTweakTable(table);
  EXPECT_EQ("Say \"hi\"\nnow", table[0].title);
  EXPECT_EQ("it's \"quoted\"\tand tabbed", table[0].description);
}

// Without the language folder the table is translated without a lookup, to
// exactly what the lookups would give: defaults without trailing blanks, cut
// to 1023 characters, quotes kept, "\n" and "\t" turned into line breaks
// and tabs.
TEST(TweakTableWithoutLanguageFolder, GivesWhatTheLookupsGiveWithoutMakingThem) {
  struct CountingProfile : IProfile {
    IniProfile ini;
    int calls = 0;
    std::string GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                          std::size_t bufferSize, const std::string& file) override {
      ++calls;
      return ini.GetString(section, key, defaultText, bufferSize, file);
    }
  };
  ScratchFolder folder;
  const std::string program = folder.Ansi() + "\\absent";
  const TweakTable rows = {{"\"Quoted\"  ", "line\\nbreak\\ttab ", 2, 0},
                           {"plain", std::string(1500, 'd'), 2, 1},
                           {"", "", 2, 2}};
  CountingProfile counting;
  Language language{counting, program};
  TweakTable translated = rows;
  language.TranslateTweakTable(translated);
  EXPECT_EQ(0, counting.calls);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const auto lookup = [&](const std::string& text) {
      return UnescapeLangText(counting.ini.GetString("1004", "x", text, 1024, language.FilePath()));
    };
    const std::string title = lookup(rows[i].title), description = lookup(rows[i].description);
    EXPECT_EQ(title.empty() ? rows[i].title : title, translated[i].title);
    EXPECT_EQ(description.empty() ? rows[i].description : description, translated[i].description);
    EXPECT_EQ(rows[i].tweakId, translated[i].tweakId);
  }
  EXPECT_EQ("\"Quoted\"", translated[0].title);
  EXPECT_EQ("line\nbreak\ttab", translated[0].description);
  EXPECT_EQ(1023u, translated[1].description.size());
}

}  // namespace
}  // namespace corvandel
