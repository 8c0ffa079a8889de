#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <map>
#include <system_error>

#include "nav/profile.h"
#include "nav/tree_model.h"
#include "nav/tweak_find.h"
#include "services/ansi_text.h"
#include "services/tweak_entry.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

CliFailure Usage(std::string message) { return {kExitUsage, std::move(message)}; }

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

std::optional<OsVersionRecord> ParseWindowsVersion(std::string value) {
  for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const std::map<std::string, OsVersionRecord> kNamed = {
      {"95", {1, 4, 0}},  {"98", {1, 4, 10}},  {"me", {1, 4, 90}},
      {"nt4", {2, 4, 0}}, {"2000", {2, 5, 0}}, {"xp", {2, 5, 1}},
  };
  if (auto named = kNamed.find(value); named != kNamed.end()) return named->second;
  const std::size_t first = value.find('.');
  const std::size_t second = first == std::string::npos ? first : value.find('.', first + 1);
  if (second == std::string::npos) return std::nullopt;
  const std::string_view text(value);
  const auto platform = ParseNumber(text.substr(0, first));
  const auto major = ParseNumber(text.substr(first + 1, second - first - 1));
  const auto minor = ParseNumber(text.substr(second + 1));
  if (!platform || !major || !minor) return std::nullopt;
  return OsVersionRecord{*platform, *major, *minor};
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = ParseNumber(text.substr(0, 4));
  const auto month = ParseNumber(text.substr(5, 2));
  const auto day = ParseNumber(text.substr(8, 2));
  if (!year || !month || !day || *year == 0 || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
  if (*day > kDays[*month - 1] + (*month == 2 && leap ? 1 : 0)) return std::nullopt;
  return CalendarDate{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

// "A:\=2,C:\=3": each root a drive letter (kept in upper case, as Windows
// lists them), a colon and a backslash; each type a GetDriveTypeA result. An
// empty list is no drives.
std::optional<std::map<std::string, unsigned>> ParseDrives(std::string_view text) {
  std::map<std::string, unsigned> drives;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (entry.size() < 5 || entry[1] != ':' || entry[2] != '\\' || entry[3] != '=' ||
        !std::isalpha(static_cast<unsigned char>(entry[0])))
      return std::nullopt;
    const auto type = ParseNumber(entry.substr(4));
    if (!type || *type > drive::kRamDisk) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
    drives[std::string(1, letter) + ":\\"] = *type;
  }
  return drives;
}

// The program's folder as a full path without a trailing separator, as the
// program keeps it (Windows looks for an INI file given without a full path in
// the Windows folder).
std::optional<std::string> HomeFolder(const std::string& dir) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(PathFromAnsi(dir), error);
  if (error || !std::filesystem::is_directory(full, error)) return std::nullopt;
  std::string text = AnsiFromPath(full.lexically_normal());
  while (!text.empty() && (text.back() == '\\' || text.back() == '/')) text.pop_back();
  return text;
}

// Whether two file arguments name one file: the same full path, in any case
// (as Windows matches names), or the same existing file.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const std::filesystem::path first = std::filesystem::absolute(PathFromAnsi(a), error).lexically_normal();
  const std::filesystem::path second = std::filesystem::absolute(PathFromAnsi(b), error).lexically_normal();
  return EqualsIgnoringCase(AnsiFromPath(first), AnsiFromPath(second)) ||
         std::filesystem::equivalent(first, second, error);
}

// A file the command writes must not be one it reads: it would be lost.
std::optional<CliFailure> CheckOutputFiles(const CommandLine& line) {
  struct Pair {
    std::optional<std::string> written;
    std::optional<std::string> read;
    const char* what;
  };
  const bool profileRead = line.command == CommandLine::kProfileApply || line.command == CommandLine::kCheck;
  const bool profileWritten = line.command == CommandLine::kProfileSave;
  const Pair pairs[] = {
      {line.changesFile, line.registryFile, "--changes and --registry"},
      {line.changesFile, profileRead ? std::optional(line.profileFile) : std::nullopt, "--changes and the profile"},
      {profileWritten ? std::optional(line.profileFile) : std::nullopt, line.registryFile, "the profile and --registry"},
  };
  for (const Pair& pair : pairs)
    if (pair.written && pair.read && SameFile(*pair.written, *pair.read))
      return Usage(std::string(pair.what) + " name the same file: " + *pair.written);
  return std::nullopt;
}

constexpr const char* kOptionNames[] = {"registry", "windows", "home",   "today",  "windir",
                                        "appdata",  "drives",  "browse", "changes", "changes-format", "profile",
                                        "profile-dir"};

struct RawOptions {
  std::map<std::string, std::string> values;  // option name -> value
  std::vector<std::string> browse;            // --browse may be given again for later dialogs
  std::vector<std::string> words;             // the command and its arguments
  bool help = false;
  bool json = false;
  bool dryRun = false;
};

std::optional<CliFailure> SplitOptions(const std::vector<std::string>& args, RawOptions* raw) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      raw->words.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help") {
      raw->help = true;
    } else if (arg == "--json") {
      raw->json = true;
    } else if (arg == "--dry-run") {
      raw->dryRun = true;
    } else {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      if (std::find(std::begin(kOptionNames), std::end(kOptionNames), name) == std::end(kOptionNames))
        return Usage("unknown option --" + name + " (" + kCliUsage + ")");
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Usage("--" + name + " needs a value");
      }
      if (name == "browse") {
        raw->browse.push_back(std::move(value));
      } else if (!raw->values.emplace(name, std::move(value)).second) {
        return Usage("--" + name + " is given twice");
      }
    }
  }
  return std::nullopt;
}

std::optional<CliFailure> ApplyPlatformOptions(const RawOptions& raw, SettablePlatform& platform) {
  const auto& v = raw.values;
  if (auto it = v.find("windows"); it != v.end()) {
    const auto version = ParseWindowsVersion(it->second);
    if (!version)
      return Usage("--windows " + it->second + ": expected 95, 98, me, nt4, 2000, xp or PLATFORM.MAJOR.MINOR");
    platform.version = *version;
  }
  if (auto it = v.find("today"); it != v.end()) {
    const auto date = ParseDate(it->second);
    if (!date) return Usage("--today " + it->second + ": expected a real date as YYYY-MM-DD");
    platform.today = *date;
  }
  if (auto it = v.find("drives"); it != v.end()) {
    const auto drives = ParseDrives(it->second);
    if (!drives) return Usage("--drives " + it->second + ": expected ROOT=TYPE pairs such as A:\\=2,C:\\=3,D:\\=5");
    platform.drives = *drives;
  }
  if (auto it = v.find("windir"); it != v.end()) platform.windowsDirectory = it->second;
  if (auto it = v.find("appdata"); it != v.end()) {
    platform.appDataFolder = it->second;
    // Given alone, the application-data folder names the profile as it always did.
    platform.profileFolder.clear();
  }
  if (auto it = v.find("profile-dir"); it != v.end()) platform.profileFolder = it->second;
  if (auto it = v.find("home"); it != v.end()) {
    const auto home = HomeFolder(it->second);
    if (!home) return CliFailure{kExitFileError, "--home " + it->second + ": no such folder"};
    platform.programFolder = *home;
  }
  for (const std::string& answer : raw.browse) platform.browseAnswers.push_back(answer);
  return std::nullopt;
}

std::optional<int> ParseTweakId(const std::string& word) {
  const auto id = ParseNumber(word);
  if (!id || *id >= static_cast<std::uint32_t>(kTweakCount)) return std::nullopt;
  return static_cast<int>(*id);
}

CliFailure BadTweakId(const std::string& word) {
  return Usage("bad TweakId \"" + word + "\": expected a number from 0 to " + std::to_string(kTweakCount - 1));
}

// "undo TWEAKID" and "backups [TWEAKID]".
std::optional<CliFailure> ParseBackupCommand(const std::vector<std::string>& words, CommandLine* line) {
  const bool undo = words[0] == "undo";
  line->command = undo ? CommandLine::kUndo : CommandLine::kBackups;
  if (undo ? words.size() != 2 : words.size() > 2)
    return Usage(undo ? "undo takes one TweakId" : "backups takes at most one TweakId");
  if (words.size() == 2) {
    const auto id = ParseTweakId(words[1]);
    if (!id) return BadTweakId(words[1]);
    line->tweakIds.push_back(*id);
  }
  return std::nullopt;
}

// check FILE: the lines of a saved profile, applied on a scratch copy.
std::optional<CliFailure> ParseCheckCommand(const std::vector<std::string>& words, CommandLine* line) {
  if (words.size() != 2) return Usage("check takes one profile FILE");
  line->command = CommandLine::kCheck;
  line->profileFile = words[1];
  return std::nullopt;
}

// profile save FILE [TWEAKID...] | profile apply FILE. Saving names tweaks
// with an "Apply Changes" button only; none named is every such tweak.
std::optional<CliFailure> ParseProfileCommand(const std::vector<std::string>& words, CommandLine* line) {
  const bool save = words.size() > 1 && words[1] == "save";
  if (words.size() < 3 || (!save && words[1] != "apply"))
    return Usage("expected profile save FILE [TWEAKID...] or profile apply FILE");
  if (!save && words.size() > 3) return Usage("profile apply takes one FILE");
  line->command = save ? CommandLine::kProfileSave : CommandLine::kProfileApply;
  line->profileFile = words[2];
  for (std::size_t i = 3; i < words.size(); ++i) {
    const auto id = ParseTweakId(words[i]);
    if (!id || !CatalogueDispatch().HasApplyRoutine(*id))
      return Usage("bad TweakId \"" + words[i] + "\": expected a tweak with an \"Apply Changes\" button");
    line->tweakIds.push_back(*id);
  }
  if (save && line->tweakIds.empty()) line->tweakIds = AppliableTweaks(CatalogueDispatch());
  return std::nullopt;
}

// diff A.reg B.reg [TWEAKID...], or diff A.reg [TWEAKID...] with --profile.
std::optional<CliFailure> ParseDiffCommand(const std::vector<std::string>& words, bool withProfile, CommandLine* line) {
  line->command = CommandLine::kDiff;
  const std::size_t files = withProfile ? 1 : 2;
  if (words.size() < 1 + files) return Usage("expected diff A.reg B.reg [TWEAKID...] or diff A.reg --profile FILE");
  line->diffFiles.assign(words.begin() + 1, words.begin() + 1 + static_cast<std::ptrdiff_t>(files));
  for (std::size_t i = 1 + files; i < words.size(); ++i) {
    const auto id = ParseTweakId(words[i]);
    if (!id) return BadTweakId(words[i]);
    line->tweakIds.push_back(*id);
  }
  // Against a profile, its own tweaks are the ones compared (cli_app).
  if (line->tweakIds.empty() && !withProfile) line->tweakIds = AppliableTweaks(CatalogueDispatch());
  return std::nullopt;
}

std::optional<CliFailure> ParseCommand(const std::vector<std::string>& words, bool withProfile, CommandLine* line) {
  if (words.empty()) return Usage(std::string("no command (") + kCliUsage + ")");
  const std::string& name = words[0];
  if (name == "diff") return ParseDiffCommand(words, withProfile, line);
  if (name == "undo" || name == "backups") return ParseBackupCommand(words, line);
  if (name == "check") return ParseCheckCommand(words, line);
  if (name == "tree") {
    line->command = CommandLine::kTree;
  } else if (name == "show") {
    line->command = CommandLine::kShow;
  } else if (name == "apply") {
    line->command = CommandLine::kApply;
  } else if (name == "profile") {
    return ParseProfileCommand(words, line);
  } else if (name == "find") {
    line->command = CommandLine::kFind;
    for (std::size_t i = 1; i < words.size(); ++i)
      for (std::string& word : FindWords(words[i])) line->words.push_back(std::move(word));
    if (line->words.empty()) return Usage("find needs a word");
    return std::nullopt;
  } else {
    return Usage("unknown command \"" + name + "\" (" + kCliUsage + ")");
  }
  if (line->command == CommandLine::kTree && words.size() > 1) return Usage("tree takes no arguments");
  if (line->command != CommandLine::kTree && words.size() < 2) return Usage(name + " needs a TweakId");
  const std::size_t idsEnd = line->command == CommandLine::kShow ? words.size() : std::min<std::size_t>(words.size(), 2);
  for (std::size_t i = 1; i < idsEnd; ++i) {
    const auto id = ParseTweakId(words[i]);
    if (!id) return BadTweakId(words[i]);
    line->tweakIds.push_back(*id);
  }
  for (std::size_t i = idsEnd; i < words.size(); ++i) {
    auto setting = ParseSetting(words[i]);
    if (!setting) return Usage("bad setting \"" + words[i] + "\": expected ID=VALUE, ID[ROW]=0|1 or click:ID");
    line->settings.push_back(std::move(*setting));
  }
  return std::nullopt;
}

}  // namespace

std::optional<CliFailure> ParseCommandLine(const std::vector<std::string>& args, const SettablePlatform& host,
                                           CommandLine* line) {
  RawOptions raw;
  if (auto failure = SplitOptions(args, &raw)) return failure;
  if (raw.help) {
    line->command = CommandLine::kHelp;
    return std::nullopt;
  }
  const auto profile = raw.values.find("profile");
  if (auto failure = ParseCommand(raw.words, profile != raw.values.end(), line)) return failure;
  if (profile != raw.values.end()) {
    if (line->command != CommandLine::kDiff) return Usage("--profile is for diff");
    line->diffProfile = profile->second;
  }
  line->platform = host;
  if (auto failure = ApplyPlatformOptions(raw, line->platform)) return failure;
  if (auto it = raw.values.find("registry"); it != raw.values.end()) {
    if (line->command == CommandLine::kDiff) return Usage("diff names its registry files itself, without --registry");
    line->registryFile = it->second;
  }
  const bool changes = line->command == CommandLine::kApply || line->command == CommandLine::kUndo ||
                       line->command == CommandLine::kProfileApply;
  if (auto it = raw.values.find("changes"); it != raw.values.end()) {
    if (!changes) return Usage("--changes is for apply, undo and profile apply");
    line->changesFile = it->second;
  }
  if (auto it = raw.values.find("changes-format"); it != raw.values.end()) {
    const std::map<std::string, ChangesFormat> formats = {
        {"reg", ChangesFormat::kReg}, {"pol", ChangesFormat::kPol}, {"gpp", ChangesFormat::kGpp}};
    const auto format = formats.find(it->second);
    if (format == formats.end()) return Usage("--changes-format " + it->second + ": expected reg, pol or gpp");
    if (!line->changesFile) return Usage("--changes-format needs --changes");
    line->changesFormat = format->second;
  }
  if (auto failure = CheckOutputFiles(*line)) return failure;
  if (raw.dryRun && !changes) return Usage("--dry-run is for apply, undo and profile apply");
  line->dryRun = raw.dryRun;
  line->json = raw.json;
  return std::nullopt;
}

}  // namespace corvandel
