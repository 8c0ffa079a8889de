#include "cli/cli_app.h"

#include <filesystem>
#include <system_error>

#include "cli/options.h"
#include "cli/page_printer.h"
#include "nav/navigator.h"
#include "nav/tree_model.h"
#include "nav/tweak_table.h"
#include "pages/page_handlers.h"
#include "pages/page_model.h"
#include "services/ansi_text.h"
#include "services/colors.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

constexpr const char* kHelp =
    "  tree                   the navigation tree: TweakId and text of every node\n"
    "  show TWEAKID...        selects each node in turn and prints its page\n"
    "  apply TWEAKID SETTING...  selects the node, sets its controls, presses \"Apply Changes\",\n"
    "                         prints the message boxes and the page; exit status 3 when the\n"
    "                         registry refused a key\n"
    "  undo TWEAKID           puts back the newest backup of that tweak, then as apply\n"
    "  backups [TWEAKID]      the backups (of that tweak), newest first\n"
    "SETTING: ID=VALUE (check box 0|1, edit text, combo or list #N or item text),\n"
    "         ID[ROW]=0|1 (a row of a list with check boxes), click:ID (a button)\n"
    "OPTIONS: --registry FILE  --windows 95|98|me|nt4|2000|xp|PLATFORM.MAJOR.MINOR\n"
    "         --home DIR  --today YYYY-MM-DD  --windir PATH  --appdata PATH\n"
    "         --drives A:\\=2,C:\\=3  --browse TEXT\n";

CliFailure Usage(std::string message) { return {kExitUsage, std::move(message)}; }

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

// Keys the registry refused: exit status 3 once the alert is printed.
std::optional<CliFailure> Refusal(const ChangeOutcome& outcome) {
  if (outcome.refusedKeys.empty()) return std::nullopt;
  return CliFailure{kExitRefused, "the registry refused " + std::to_string(outcome.refusedKeys.size()) +
                                      " key(s): administrator rights are needed"};
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

  // Each node as the tree shows it: its text, and as its TweakId the one its
  // row holds (a language file may change it).
  void Tree() {
    for (const TreeItem& node : TreeItems(navigator_.Table()))
      out_ << std::string(2 * static_cast<std::size_t>(Depth(node.row)), ' ') << node.tweakId << ' '
           << EscapeText(node.text) << '\n';
  }

  void Show(int tweakId) {
    navigator_.Select(tweakId);
    Print();
  }

  std::optional<CliFailure> Apply(int tweakId, const std::vector<Setting>& settings) {
    navigator_.Select(tweakId);
    const auto pageId = VisiblePage(pages_);
    if (!pageId || !pages_.IsControlVisible(page::kMainWindow, page::kApplyButton))
      return Usage("TweakId " + std::to_string(tweakId) + " has no \"Apply Changes\" button: nothing to apply");
    const SettingTarget target{pages_, platform_, navigator_.CurrentTweakId(), *pageId};
    for (const Setting& setting : settings) {
      std::string error;
      if (!ApplySetting(setting, target, &error)) return Usage(error);
    }
    const ChangeOutcome outcome = navigator_.Apply();
    Print();
    return Refusal(outcome);
  }

  // The newest backup of the tweak put back: the file restored, then the
  // alerts and the page as after an apply.
  std::optional<CliFailure> Undo(int tweakId) {
    navigator_.Select(tweakId);
    const std::optional<BackupFile> backup = navigator_.LastBackup();
    std::string error;
    const std::optional<ChangeOutcome> outcome = navigator_.UndoLastChange(&error);
    if (!outcome)
      return CliFailure{kExitFileError, backup ? error : "TweakId " + std::to_string(tweakId) + " has no backup in " +
                                                            navigator_.Backups().Folder()};
    out_ << "restored " << backup->name << '\n';
    Print();
    return Refusal(*outcome);
  }

  // One line per backup, newest first: its file, its TweakId and that row's title.
  void Backups(std::optional<int> tweakId) {
    const TweakTable& table = navigator_.Table();
    for (const BackupFile& file : navigator_.Backups().List(tweakId)) {
      const TweakEntry* entry = FindRow(table, file.tweakId);
      out_ << file.name << ' ' << file.tweakId << ' ' << QuoteText(entry ? entry->title : "") << '\n';
    }
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

std::optional<CliFailure> Run(const std::vector<std::string>& args, CliHost& host, std::ostream& out) {
  CommandLine line;
  if (auto failure = ParseCommandLine(args, host.platform, &line)) return failure;
  if (line.command == CommandLine::kHelp) {
    out << kCliUsage << '\n' << kHelp;
    return std::nullopt;
  }

  // The tree does not depend on the registry: without one it is shown over
  // an empty registry, in which no history can be kept and nothing is saved.
  if (!line.registryFile && !host.systemRegistry && line.command != CommandLine::kTree)
    return Usage("--registry FILE is required: this build has no system registry");
  MemoryRegistry fileRegistry;
  RegistryFileKeys fileKeys;
  if (line.registryFile) {
    std::error_code error;
    std::string message;
    if (std::filesystem::exists(PathFromAnsi(*line.registryFile), error) &&
        !LoadRegistryFile(*line.registryFile, fileRegistry, &message, &fileKeys))
      return CliFailure{kExitFileError, message};
  }
  IRegistry& registry =
      line.registryFile || !host.systemRegistry ? static_cast<IRegistry&>(fileRegistry) : *host.systemRegistry;

  Session session(registry, line.platform, *host.profile, out);
  switch (line.command) {
    case CommandLine::kTree:
      session.Tree();
      break;
    case CommandLine::kShow:
      for (int id : line.tweakIds) session.Show(id);
      break;
    case CommandLine::kApply:
    case CommandLine::kUndo: {
      const auto outcome = line.command == CommandLine::kApply ? session.Apply(line.tweakIds.front(), line.settings)
                                                               : session.Undo(line.tweakIds.front());
      if (outcome && outcome->status != kExitRefused) return outcome;
      std::string message;
      if (line.registryFile && !SaveRegistryFile(fileRegistry, *line.registryFile, &message, fileKeys))
        return CliFailure{kExitFileError, message};
      return outcome;
    }
    case CommandLine::kBackups:
      session.Backups(line.tweakIds.empty() ? std::nullopt : std::optional<int>(line.tweakIds.front()));
      break;
    case CommandLine::kHelp:
      break;
  }
  return std::nullopt;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliHost& host, std::ostream& out, std::ostream& err) {
  const std::optional<CliFailure> failure = Run(args, host, out);
  if (!failure) return kExitOk;
  err << "corvandel-cli: " << failure->message << '\n';
  return failure->status;
}

}  // namespace corvandel
