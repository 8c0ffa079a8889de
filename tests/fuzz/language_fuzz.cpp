// Language files: any file content, read through the string table, the
// titles table and a dialog's texts. Every ID keeps a text, the table keeps
// its rows, and a dialog keeps its children.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "nav/tweak_table.h"
#include "services/language.h"
#include "services/profile_ini.h"

using namespace corvandel;

namespace {

class Dialog : public IDialogTexts {
 public:
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override { caption = text; }
  int ChildCount() const override { return static_cast<int>(children.size()); }
  int ChildControlId(int index) const override { return 1006 + index; }
  std::string ChildText(int index) const override { return children[static_cast<std::size_t>(index)]; }
  void SetChildText(int index, const std::string& text) override { children[static_cast<std::size_t>(index)] = text; }

  std::string caption = "Corvandel";
  std::vector<std::string> children = {"Apply Changes", "", "Note"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("Language/English.ini", std::string(reinterpret_cast<const char*>(data), size));
  IniProfile profile;
  const Language language(profile, fuzz::ScratchFolder());

  for (int id : {101, 2001, 2011, 2022, 0, -1, 99999}) language.GetLangString(id);
  // The first rows are enough to reach every rule; the file is read once per lookup.
  TweakTable table = BuildTweakTable();
  table.resize(40);
  const std::size_t rows = table.size();
  language.TranslateTweakTable(table);
  FUZZ_CHECK(table.size() == rows);

  Dialog dialog;
  language.TranslateDialog(dialog, 102);
  FUZZ_CHECK(dialog.children.size() == 3);
  return 0;
}
