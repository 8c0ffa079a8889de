// Language files: INI files named after the current language in the
// "Language" folder beside the program. They replace string-table texts,
// dialog texts and the titles table; whatever they lack or leave empty keeps
// the built-in text.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "services/profile.h"
#include "services/tweak_entry.h"

namespace corvandel {

// Section of the string-table entries in a language file.
inline constexpr char kStringTableSection[] = "VantorelStringTable";
// Section of the titles table: the navigation tree's control ID.
inline constexpr char kTweakTableSection[] = "1004";

// A created dialog as TranslateDialog sees it: its caption and its direct
// child windows in z-order (topmost first), addressed by position because
// several children may share a control ID.
class IDialogTexts {
 public:
  virtual ~IDialogTexts() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual int ChildCount() const = 0;
  virtual int ChildControlId(int index) const = 0;
  virtual std::string ChildText(int index) const = 0;
  virtual void SetChildText(int index, const std::string& text) = 0;
};

// Backslash + "n" becomes a line feed, backslash + "t" a tab; nothing else
// is an escape.
std::string UnescapeLangText(std::string_view text);

class Language {
 public:
  Language(IProfile& profile, std::string programFolder) : profile_(profile), programFolder_(std::move(programFolder)) {}

  // The current language; "English" until start-up reads the user's choice.
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The program folder followed by "\Language\".
  std::string LanguageDirectory() const;
  // The current language's file; rebuilt on every call, so a new name takes
  // effect at the next lookup.
  std::string FilePath() const;

  // A string-table text, replaced by the file's non-empty entry. Empty for an
  // ID the built-in table lacks, whatever the file holds.
  std::string GetLangString(int id) const;

  // Replaces a created dialog's caption (when dialogId is not 0) and the
  // texts of its direct children from the section named after dialogId.
  void TranslateDialog(IDialogTexts& dialog, int dialogId) const;

  // Replaces each row's TweakId, then its title and description, from section
  // "1004": keys "<TweakId>1", "<TweakId>2", "<TweakId>3". A new TweakId is
  // kept whatever its value (it only names keys here); a value out of the int
  // range is ignored. Titles and descriptions are taken as the file gives
  // them, quotes and line breaks included.
  void TranslateTweakTable(TweakTable& table) const;

 private:
  // One GetPrivateProfileStringA read of the language file, unescaped.
  std::string Read(const std::string& section, const std::string& key, const std::string& defaultText,
                   std::size_t bufferSize) const;

  IProfile& profile_;
  std::string programFolder_;
  std::string name_ = "English";
};

}  // namespace corvandel
