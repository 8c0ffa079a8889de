#include "services/language.h"

#include "services/builtin_strings.h"
#include "services/decimal.h"
#include "services/profile_ini.h"

namespace corvandel {

namespace {

// GetPrivateProfileStringA buffer sizes.
constexpr std::size_t kTextBuffer = 1024;
constexpr std::size_t kCaptionBuffer = 260;

}  // namespace

std::string UnescapeLangText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 't')) {
      result.push_back(text[++i] == 'n' ? '\n' : '\t');
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

std::string Language::LanguageDirectory() const { return programFolder_ + "\\Language\\"; }

std::string Language::FilePath() const { return LanguageDirectory() + name_ + ".ini"; }

std::string Language::Read(const std::string& section, const std::string& key, const std::string& defaultText,
                           std::size_t bufferSize) const {
  return UnescapeLangText(profile_.GetString(section, key, defaultText, bufferSize, FilePath()));
}

std::string Language::GetLangString(int id) const {
  const std::string builtin(BuiltinString(id));
  if (builtin.empty()) return {};
  std::string text = Read(kStringTableSection, std::to_string(id), builtin, kTextBuffer);
  return text.empty() ? builtin : text;
}

void Language::TranslateDialog(IDialogTexts& dialog, int dialogId) const {
  const std::string section = std::to_string(dialogId);
  if (dialogId != 0) {
    std::string caption = Read(section, section, dialog.Caption(), kCaptionBuffer);
    if (!caption.empty()) dialog.SetCaption(caption);
  }
  for (int i = 0; i < dialog.ChildCount(); ++i) {
    std::string text = Read(section, std::to_string(dialog.ChildControlId(i)), dialog.ChildText(i), kTextBuffer);
    if (!text.empty()) dialog.SetChildText(i, text);
  }
}

void Language::TranslateTweakTable(TweakTable& table) const {
  // Keys are the TweakId and a one-digit suffix written together ("%d%d").
  auto key = [](int tweakId, char suffix) { return std::to_string(tweakId) + suffix; };
  // Without the language folder every lookup gives its default as a file
  // that cannot be read does: so much is known without asking the profile
  // almost a thousand times at start-up.
  const bool noFile = InMissingFolder(FilePath());
  auto read = [&](const std::string& key, const std::string& defaultText) {
    return noFile ? UnescapeLangText(UnreadableFileResult(defaultText, kTextBuffer))
                  : Read(kTweakTableSection, key, defaultText, kTextBuffer);
  };
  for (TweakEntry& row : table) {
    std::string id = read(key(row.tweakId, '1'), std::to_string(row.tweakId));
    if (!id.empty()) {
      if (auto parsed = ParseDecimal(id)) row.tweakId = *parsed;
    }
    std::string title = read(key(row.tweakId, '2'), row.title);
    if (!title.empty()) row.title = title;
    std::string description = read(key(row.tweakId, '3'), row.description);
    if (!description.empty()) row.description = description;
  }
}

}  // namespace corvandel
