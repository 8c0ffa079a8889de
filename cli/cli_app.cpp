#include "cli/cli_app.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

#include "cli/page_printer.h"
#include "cli/settings.h"
#include "nav/navigator.h"
#include "nav/tree_model.h"
#include "pages/page_handlers.h"
#include "pages/page_model.h"
#include "services/ansi_text.h"
#include "services/colors.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

constexpr const char* kUsage =
    "usage: corvandel-cli [OPTIONS] tree | show TWEAKID... | apply TWEAKID [SETTING...]";

constexpr const char* kHelp =
    "  tree                   the navigation tree: TweakId and text of every node\n"
    "  show TWEAKID...        selects each node in turn and prints its page\n"
    "  apply TWEAKID SETTING...  selects the node, sets its controls, presses \"Apply Changes\",\n"
    "                         prints the message boxes and the page\n"
    "SETTING: ID=VALUE (check box 0|1, edit text, combo or list #N or item text),\n"
    "         ID[ROW]=0|1 (a row of a list with check boxes), click:ID (a button)\n"
    "OPTIONS: --registry FILE  --windows 95|98|me|nt4|2000|xp|PLATFORM.MAJOR.MINOR\n"
    "         --home DIR  --today YYYY-MM-DD  --windir PATH  --appdata PATH\n"
    "         --drives A:\\=2,C:\\=3  --browse TEXT\n";

// A failed step: the exit status and the one line that says why.
struct Failure {
  int status;
  std::string message;
};

Failure Usage(std::string message) { return {kExitUsage, std::move(message)}; }

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

struct Options {
  std::map<std::string, std::string> values;  // option name -> value
  std::vector<std::string> browse;
  std::vector<std::string> words;  // the command and its arguments
  bool help = false;
};

constexpr const char* kValueOptions[] = {"registry", "windows", "home", "today", "windir", "appdata", "drives"};

std::optional<Failure> ParseOptions(const std::vector<std::string>& args, Options* options) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      options->words.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help") {
      options->help = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const bool known = name == "browse" || std::find(std::begin(kValueOptions), std::end(kValueOptions), name) !=
                                               std::end(kValueOptions);
    if (!known) return Usage("unknown option --" + name + " (" + kUsage + ")");
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return Usage("--" + name + " needs a value");
    }
    if (name == "browse") {
      options->browse.push_back(value);
    } else if (!options->values.emplace(name, value).second) {
      return Usage("--" + name + " is given twice");
    }
  }
  return std::nullopt;
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
  const auto platform = ParseNumber(std::string_view(value).substr(0, first));
  const auto major = ParseNumber(std::string_view(value).substr(first + 1, second - first - 1));
  const auto minor = ParseNumber(std::string_view(value).substr(second + 1));
  if (!platform || !major || !minor) return std::nullopt;
  return OsVersionRecord{*platform, *major, *minor};
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = ParseNumber(text.substr(0, 4));
  const auto month = ParseNumber(text.substr(5, 2));
  const auto day = ParseNumber(text.substr(8, 2));
  if (!year || !month || !day || *year == 0 || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
  const int days = kDays[*month - 1] + (*month == 2 && leap ? 1 : 0);
  if (static_cast<int>(*day) > days) return std::nullopt;
  return CalendarDate{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

// "A:\=2,C:\=3": each root a drive letter, a colon and a backslash; each type
// a GetDriveTypeA result. An empty list is no drives.
std::optional<std::map<std::string, unsigned>> ParseDrives(std::string_view text) {
  std::map<std::string, unsigned> drives;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t equals = entry.find('=');
    if (equals != 3 || entry[1] != ':' || entry[2] != '\\' || !std::isalpha(static_cast<unsigned char>(entry[0])))
      return std::nullopt;
    const auto type = ParseNumber(entry.substr(4));
    if (!type || *type > drive::kRamDisk) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
    drives[std::string(1, letter) + ":\\"] = *type;
  }
  return drives;
}

// The program's folder as a full path without a trailing separator, as the
// program keeps it (and as Windows needs it for INI files).
std::optional<std::string> HomeFolder(const std::string& dir) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(PathFromAnsi(dir), error);
  if (error || !std::filesystem::is_directory(full, error)) return std::nullopt;
  std::string text = AnsiFromPath(full.lexically_normal());
  while (!text.empty() && (text.back() == '\\' || text.back() == '/')) text.pop_back();
  return text;
}

std::optional<Failure> ApplyPlatformOptions(const Options& options, SettablePlatform& platform) {
  const auto& v = options.values;
  if (auto it = v.find("windows"); it != v.end()) {
    const auto version = ParseWindowsVersion(it->second);
    if (!version) return Usage("--windows " + it->second + ": expected 95, 98, me, nt4, 2000, xp or PLATFORM.MAJOR.MINOR");
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
  if (auto it = v.find("appdata"); it != v.end()) platform.appDataFolder = it->second;
  if (auto it = v.find("home"); it != v.end()) {
    const auto home = HomeFolder(it->second);
    if (!home) return Failure{kExitFileError, "--home " + it->second + ": no such folder"};
    platform.programFolder = *home;
  }
  for (const std::string& answer : options.browse) platform.browseAnswers.push_back(answer);
  return std::nullopt;
}

// The command and its arguments, checked before anything runs.
struct Command {
  std::string name;
  std::vector<int> tweakIds;
  std::vector<Setting> settings;
};

std::optional<Failure> ParseCommand(const std::vector<std::string>& words, Command* command) {
  if (words.empty()) return Usage(std::string("no command (") + kUsage + ")");
  command->name = words[0];
  const bool tree = command->name == "tree", show = command->name == "show", apply = command->name == "apply";
  if (!tree && !show && !apply) return Usage("unknown command \"" + command->name + "\" (" + kUsage + ")");
  if (tree && words.size() > 1) return Usage("tree takes no arguments");
  if (!tree && words.size() < 2) return Usage(command->name + " needs a TweakId");
  const std::size_t lastId = show ? words.size() : std::min<std::size_t>(words.size(), 2);
  for (std::size_t i = 1; i < lastId; ++i) {
    const auto id = ParseNumber(words[i]);
    if (!id || *id >= static_cast<std::uint32_t>(kTweakCount))
      return Usage("bad TweakId \"" + words[i] + "\": expected a number from 0 to " + std::to_string(kTweakCount - 1));
    command->tweakIds.push_back(static_cast<int>(*id));
  }
  for (std::size_t i = lastId; i < words.size(); ++i) {
    auto setting = ParseSetting(words[i]);
    if (!setting) return Usage("bad setting \"" + words[i] + "\": expected ID=VALUE, ID[ROW]=0|1 or click:ID");
    command->settings.push_back(std::move(*setting));
  }
  return std::nullopt;
}

// What the page dialogs fill in when they are created, the drawing aside:
// CSingleComboPage's numbers and CComboCheckPage's colours. The window starts
// the colour combo on a random one of the first 139 colours; here it starts on
// the first of them, so that a run can be repeated.
void SetUpPages(IPageHost& pages) {
  constexpr int kColorCombo = 1055;
  FillNumberCombo(pages);
  FillColors(pages, page::kComboCheck, kColorCombo);
  pages.ComboSetCurSel(page::kComboCheck, kColorCombo, 0);
}

int Depth(const TreeRow& row) {
  int depth = 0;
  for (const TreeRow* at = FindTreeRow(row.parentId); at; at = FindTreeRow(at->parentId)) ++depth;
  return depth;
}

// The one page a load routine shows; none when it showed none.
std::optional<int> VisiblePage(const IPageHost& pages) {
  for (const PageTemplate& page : PageTemplates())
    if (pages.IsPageVisible(page.id)) return page.id;
  return std::nullopt;
}

// One run: the window's start-up less the drawing, then the command.
class Session {
 public:
  Session(IRegistry& registry, SettablePlatform& platform, IProfile& profile, std::ostream& out)
      : platform_(platform), navigator_(registry, pages_, platform, profile), out_(out) {
    navigator_.LoadTables();
    SetUpPages(pages_);
    navigator_.ShowFirstPage();
  }

  void Tree() {
    for (const TreeRow& row : TreeNodes())
      out_ << std::string(2 * static_cast<std::size_t>(Depth(row)), ' ') << row.tweakId << ' '
           << EscapeText(NodeText(row, navigator_.Table())) << '\n';
  }

  void Show(int tweakId) {
    navigator_.Select(tweakId);
    Print();
  }

  std::optional<Failure> Apply(int tweakId, const std::vector<Setting>& settings) {
    navigator_.Select(tweakId);
    const auto pageId = VisiblePage(pages_);
    if (!pageId || !pages_.IsControlVisible(page::kMainWindow, page::kApplyButton))
      return Usage("TweakId " + std::to_string(tweakId) + " has no \"Apply Changes\" button: nothing to apply");
    const SettingTarget target{pages_, platform_, navigator_.CurrentTweakId(), *pageId};
    for (const Setting& setting : settings) {
      std::string error;
      if (!ApplySetting(setting, target, &error)) return Usage(error);
    }
    navigator_.Apply();
    Print();
    return std::nullopt;
  }

 private:
  // The message boxes shown since the last page, then the page.
  void Print() {
    for (; alertsPrinted_ < platform_.messages.size(); ++alertsPrinted_)
      PrintAlert(platform_.messages[alertsPrinted_], out_);
    PrintPage(pages_, out_);
  }

  SettablePlatform& platform_;
  PageModel pages_;
  Navigator navigator_;
  std::ostream& out_;
  std::size_t alertsPrinted_ = 0;
};

std::optional<Failure> Run(const std::vector<std::string>& args, CliHost& host, std::ostream& out) {
  Options options;
  if (auto failure = ParseOptions(args, &options)) return failure;
  if (options.help) {
    out << kUsage << '\n' << kHelp;
    return std::nullopt;
  }
  Command command;
  if (auto failure = ParseCommand(options.words, &command)) return failure;
  SettablePlatform platform = host.platform;
  if (auto failure = ApplyPlatformOptions(options, platform)) return failure;

  const auto file = options.values.find("registry");
  const bool fromFile = file != options.values.end();
  if (!fromFile && !host.systemRegistry)
    return Usage("--registry FILE is required: this build has no system registry");
  MemoryRegistry fileRegistry;
  if (fromFile) {
    std::error_code error;
    std::string message;
    if (std::filesystem::exists(PathFromAnsi(file->second), error) &&
        !LoadRegistryFile(file->second, fileRegistry, &message))
      return Failure{kExitFileError, message};
  }
  IRegistry& registry = fromFile ? static_cast<IRegistry&>(fileRegistry) : *host.systemRegistry;

  Session session(registry, platform, *host.profile, out);
  if (command.name == "tree") {
    session.Tree();
  } else if (command.name == "show") {
    for (int id : command.tweakIds) session.Show(id);
  } else {
    if (auto failure = session.Apply(command.tweakIds.front(), command.settings)) return failure;
    std::string message;
    if (fromFile && !SaveRegistryFile(fileRegistry, file->second, &message)) return Failure{kExitFileError, message};
  }
  return std::nullopt;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliHost& host, std::ostream& out, std::ostream& err) {
  const std::optional<Failure> failure = Run(args, host, out);
  if (!failure) return kExitOk;
  err << "corvandel-cli: " << failure->message << '\n';
  return failure->status;
}

}  // namespace corvandel
