#include "cli/cli_app.h"

#include <algorithm>
#include <chrono>
#include <sstream>
#include <variant>

#include "cli/changes_file.h"
#include "cli/check.h"
#include "cli/diff.h"
#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/page_printer.h"
#include "nav/profile.h"
#include "nav/navigator.h"
#include "nav/tree_model.h"
#include "nav/tweak_find.h"
#include "nav/tweak_table.h"
#include "pages/color_combo.h"
#include "pages/page_handlers.h"
#include "pages/page_model.h"
#include "services/ansi_text.h"
#include "services/file_system.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"
#include "services/registry_overlay.h"
#include "services/registry_recording.h"
#include "tweaks/catalogue.h"

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
    "  find WORD...           the nodes whose title or description holds every word (any case)\n"
    "  profile save FILE [TWEAKID...]  writes an apply line for each tweak's page as it stands\n"
    "                         (every tweak with \"Apply Changes\" when none is named)\n"
    "  profile apply FILE     applies each line of a saved profile; exit status 3 unless all applied\n"
    "  check FILE             which lines of a profile would change the registry (drifted), on a\n"
    "                         scratch copy; exit status 0 all compliant, 4 drifted, 3 refused\n"
    "  diff A.reg B.reg [TWEAKID...]  each tweak whose page differs between two registry files, with\n"
    "                         the controls that differ; --profile FILE instead of B.reg compares with\n"
    "                         the machine as the profile would leave it; exit status 0 same, 4 different\n"
    "SETTING: ID=VALUE (check box 0|1, edit text, combo or list #N or item text; ##text for #text),\n"
    "         ID[ROW]=0|1 (a row of a list with check boxes), click:ID (a button)\n"
    "--json: tree, show, find, apply, undo, backups, check and diff print one JSON document\n"
    "--changes FILE: apply, undo and profile apply write what they changed as a registry file\n"
    "--dry-run: apply, undo and profile apply run on a scratch copy and print what they would write\n"
    "--changes-format reg|pol|gpp: a registry file (the default), a folder for Machine\\Registry.pol and\n"
    "         User\\Registry.pol, or a Group Policy preferences Registry.xml\n"
    "OPTIONS: --registry FILE  --windows 95|98|me|nt4|2000|xp|PLATFORM.MAJOR.MINOR\n"
    "         --home DIR  --today YYYY-MM-DD  --windir PATH  --appdata PATH  --profile-dir PATH\n"
    "         --drives A:\\=2,C:\\=3  --browse TEXT\n";

CliFailure Usage(std::string message) { return {kExitUsage, std::move(message)}; }

// What the page dialogs fill in when they are created, the drawing aside:
// CSingleComboPage's numbers and CComboCheckPage's colours. The window starts
// the colour combo on a random one of the first 139 colours; here it starts on
// the first of them, so that a run can be repeated.
void SetUpPages(IPageHost& pages) {
  FillNumberCombo(pages);
  FillColors(pages, page::kComboCheck, control::kColorCombo);
  pages.ComboSetCurSel(page::kComboCheck, control::kColorCombo, 0);
}

int Depth(const TreeRow& row) {
  int depth = 0;
  for (const TreeRow* at = FindTreeRow(row.parentId); at; at = FindTreeRow(at->parentId)) ++depth;
  return depth;
}

// Keys the registry refused: exit status 3 once the alert is printed. In a
// preview the refusal is predicted: the keys were opened for writing only.
std::optional<CliFailure> Refusal(const ChangeOutcome& outcome, bool preview) {
  if (outcome.refusedKeys.empty()) return std::nullopt;
  return CliFailure{kExitRefused, std::string(preview ? "predicted: the registry would refuse " : "the registry refused ") +
                                      std::to_string(outcome.refusedKeys.size()) +
                                      " key(s): administrator rights are needed"};
}

// One run: the window's start-up less the drawing, then the command.
class Session {
 public:
  // steps: the recorder under the navigator that a preview (preview) reads
  // each apply's writes from.
  Session(RecordingRegistry& steps, SettablePlatform& platform, IProfile& profile, IFileStore& files,
          std::ostream& out, bool json, bool preview)
      : platform_(platform),
        steps_(steps),
        navigator_(CatalogueDispatch(), steps, pages_, platform, profile, files),
        out_(out),
        json_(json),
        preview_(preview) {
    if (preview_) navigator_.SetPreview();
    navigator_.LoadTables();
    SetUpPages(pages_);
    navigator_.ShowFirstPage();
  }

  // Each node as the tree shows it: its text, and as its TweakId the one its
  // row holds (a language file may change it).
  void Tree() {
    if (json_) {
      out_ << TreeJson(TreeItems(navigator_.Table(), navigator_.Dispatch())).dump(2) << '\n';
      return;
    }
    for (const TreeItem& node : TreeItems(navigator_.Table(), navigator_.Dispatch()))
      out_ << std::string(2 * static_cast<std::size_t>(Depth(node.row)), ' ') << node.tweakId << ' '
           << EscapeText(node.text) << '\n';
  }

  // The matching nodes in tree order, each with its current title.
  void Find(const std::vector<std::string>& words) {
    const std::vector<TreeItem> nodes = TreeItems(navigator_.Table(), navigator_.Dispatch());
    nlohmann::json matches = nlohmann::json::array();
    for (std::size_t at : FindMatches(nodes, navigator_.Table(), words)) {
      const std::string title = Title(nodes[at].row.tweakId);
      if (json_)
        matches.push_back({{"id", nodes[at].tweakId}, {"title", JsonText(title)}});
      else
        out_ << nodes[at].tweakId << ' ' << EscapeText(title) << '\n';
    }
    if (json_) out_ << nlohmann::json{{"matches", std::move(matches)}}.dump(2) << '\n';
  }

  void Show(int tweakId) {
    navigator_.Select(tweakId);
    Print();
  }

  std::optional<CliFailure> Apply(int tweakId, const std::vector<Setting>& settings) {
    ChangeOutcome outcome;
    std::optional<std::string> failure;
    Previewed([&] { failure = SetAndApply(Driver(), tweakId, settings, &outcome); });
    if (failure) return Usage(*failure);
    if (auto backupFailure = BackupFailure(outcome)) return backupFailure;
    Print();
    if (json_ && !outcome.missingKeys.empty()) {
      auto& keys = jsonPages_.back()["missingKeys"] = nlohmann::json::array();
      for (const std::string& key : outcome.missingKeys) keys.push_back(JsonText(key));
    }
    return Refusal(outcome, preview_);
  }

  // The newest backup of the tweak put back: the file restored, then the
  // alerts and the page as after an apply.
  std::optional<CliFailure> Undo(int tweakId) {
    navigator_.Select(tweakId);
    const std::optional<BackupFile> backup = navigator_.LastBackup();
    std::string error;
    std::optional<ChangeOutcome> outcome;
    Previewed([&] { outcome = navigator_.UndoLastChange(&error); });
    if (!outcome)
      return CliFailure{kExitFileError, backup ? error : "TweakId " + std::to_string(tweakId) + " has no backup in " +
                                                            navigator_.Backups().Folder()};
    if (auto failure = BackupFailure(*outcome)) return failure;
    if (!json_) out_ << "restored " << backup->name << '\n';
    Print();
    if (json_) jsonPages_.back()["restored"] = JsonText(backup->name);
    return Refusal(*outcome, preview_);
  }

  // One line per backup, newest first: its file, its TweakId and that row's title.
  void Backups(std::optional<int> tweakId) {
    const TweakTable& table = navigator_.Table();
    nlohmann::json list = nlohmann::json::array();
    for (const BackupFile& file : navigator_.Backups().List(tweakId)) {
      const TweakEntry* entry = FindRow(table, file.tweakId);
      const std::string title = entry ? entry->title : "";
      if (json_)
        list.push_back({{"name", JsonText(file.name)}, {"tweakId", file.tweakId}, {"title", JsonText(title)}});
      else
        out_ << file.name << ' ' << file.tweakId << ' ' << QuoteText(title) << '\n';
    }
    if (json_) out_ << nlohmann::json{{"backups", std::move(list)}}.dump(2) << '\n';
  }

  // With --json, the pages kept: show's as {"pages": [...]}, apply's one page.
  void PrintJsonPages(bool one) {
    if (json_) out_ << (one ? jsonPages_.at(0) : nlohmann::json{{"pages", jsonPages_}}).dump(2) << '\n';
  }

  // The current title of a tweak (a language file's, where it gives one).
  std::string Title(int tweakId) const {
    const TweakEntry* entry = FindRow(navigator_.Table(), tweakId);
    return entry ? entry->title : std::string();
  }

  // The tweak's page as its load routine leaves it, as JSON; what loading
  // showed is left out.
  nlohmann::json PageOf(int tweakId) {
    navigator_.Select(tweakId);
    alertsPrinted_ = platform_.messages.size();
    return PageJson(tweakId, {}, pages_);
  }

  // Each tweak's page as its load routine leaves it, as profile lines.
  std::string SaveProfile(const std::vector<int>& tweakIds) {
    std::string text = ProfileText(Driver(), tweakIds);
    alertsPrinted_ = platform_.messages.size();  // what loading showed is not part of the profile
    return text;
  }

  // Each line as "apply" runs it, under the tweak's TweakId and title: its
  // message boxes, or why it could not be applied. A line that showed a
  // message box was refused by its tweak (or the registry refused a key);
  // one whose settings the page did not take failed and was not applied. A
  // backup that cannot be written ends the profile: nothing of it is kept.
  // Returns the lines not applied.
  std::variant<int, CliFailure> ApplyProfile(const std::vector<ProfileLine>& lines) {
    ProfileCounts counts;
    for (const ProfileLine& line : lines) {
      out_ << line.tweakId << ' ' << EscapeText(Title(line.tweakId)) << '\n';
      ProfileLineResult result;
      Previewed([&] { result = ApplyProfileLine(Driver(), line); });
      if (auto backupFailure = BackupFailure(result.outcome)) return *backupFailure;
      PrintAlerts();
      if (result.kind == ProfileLineResult::kFailed)
        out_ << "failed (line " << line.lineNumber << "): " << result.failure << '\n';
      counts.Add(result);
    }
    out_ << "applied " << counts.applied << ", refused " << counts.refused << ", failed " << counts.failed << '\n';
    return counts.refused + counts.failed;
  }

  // Each line of a profile applied in turn on the scratch copy (a later
  // line sees what an earlier one would write, as in profile apply), with
  // what it would change. Prints the report; returns the exit status.
  int Check(const std::vector<ProfileLine>& lines) {
    std::vector<LineCheck> checks;
    for (const ProfileLine& line : lines) {
      LineCheck check{line.tweakId, Title(line.tweakId), std::nullopt, {}, {}};
      const std::size_t alertsBefore = platform_.messages.size();
      steps_.Begin(nullptr, /*listMade=*/true);
      ChangeOutcome outcome;
      const std::optional<std::string> failure = SetAndApply(Driver(), line.tweakId, line.settings, &outcome);
      check.changes = steps_.End();
      if (failure) check.failure = "failed (line " + std::to_string(line.lineNumber) + "): " + *failure;
      check.alerts.assign(platform_.messages.begin() + static_cast<std::ptrdiff_t>(alertsBefore),
                          platform_.messages.end());
      checks.push_back(std::move(check));
    }
    alertsPrinted_ = platform_.messages.size();
    if (json_)
      out_ << CheckJson(checks).dump(2) << '\n';
    else
      out_ << CheckText(checks);
    return CheckStatus(checks);
  }

 private:
  // The apply refused because its backup could not be written: the alert
  // that says so is the command's one line of error.
  std::optional<CliFailure> BackupFailure(const ChangeOutcome& outcome) {
    if (outcome.backupFailure.empty()) return std::nullopt;
    alertsPrinted_ = platform_.messages.size();
    return CliFailure{kExitFileError, outcome.backupFailure + "; nothing was changed"};
  }

  // Runs change; in a preview, first prints the writes it made on the
  // scratch copy (as JSON, kept for the page printed next).
  void Previewed(const std::function<void()>& change) {
    if (!preview_) return change();
    steps_.Begin(nullptr, /*listMade=*/true);
    change();
    const RecordedChanges changes = steps_.End();
    if (json_) {
      pendingWrites_ = ChangesJson(changes);
      return;
    }
    for (const std::string& line : ChangeLines(changes)) out_ << line << '\n';
  }

  PageDriver Driver() { return {navigator_, pages_}; }

  // The message boxes shown since the last ones printed.
  void PrintAlerts() {
    for (; alertsPrinted_ < platform_.messages.size(); ++alertsPrinted_)
      PrintAlert(platform_.messages[alertsPrinted_], out_);
  }

  // The message boxes, then the page; as JSON, kept for PrintJsonPages.
  void Print() {
    if (json_) {
      const std::vector<SettablePlatform::ShownMessage> alerts(
          platform_.messages.begin() + static_cast<std::ptrdiff_t>(alertsPrinted_), platform_.messages.end());
      alertsPrinted_ = platform_.messages.size();
      jsonPages_.push_back(PageJson(navigator_.CurrentTweakId(), alerts, pages_));
      if (preview_) jsonPages_.back()["writes"] = std::exchange(pendingWrites_, nlohmann::json::array());
      return;
    }
    PrintAlerts();
    PrintPage(pages_, out_);
  }

  SettablePlatform& platform_;
  RecordingRegistry& steps_;
  PageModel pages_;
  Navigator navigator_;
  std::ostream& out_;
  std::size_t alertsPrinted_ = 0;
  bool json_;
  bool preview_;
  nlohmann::json jsonPages_ = nlohmann::json::array();
  nlohmann::json pendingWrites_ = nlohmann::json::array();
};

// How long a run waits for another one on the same files before it refuses.
constexpr std::chrono::seconds kLockWait{5};

CliFailure FileFailure(std::string message) { return {kExitFileError, std::move(message)}; }

std::optional<CliFailure> ReadProfile(IFileStore& files, const std::string& file, std::vector<ProfileLine>* profile) {
  std::string message;
  auto lines = corvandel::ReadProfile(files, file, CatalogueDispatch(), &message);
  if (!lines) return FileFailure(message);
  *profile = std::move(*lines);
  return std::nullopt;
}

// diff: each side loaded from its file into a registry of its own and run
// as a preview (nothing is written back); against a profile, the second
// side is the first with the profile applied.
std::optional<CliFailure> Diff(const CommandLine& line, CliHost& host, std::ostream& out) {
  MemoryRegistry registries[2];
  const std::string& second = line.diffProfile ? line.diffFiles[0] : line.diffFiles[1];
  for (int side = 0; side < 2; ++side) {
    std::string message;
    if (!LoadRegistryFile(side == 0 ? line.diffFiles[0] : second, registries[side], &message))
      return CliFailure{kExitFileError, message};
  }
  std::vector<int> tweakIds = line.tweakIds;
  std::vector<ProfileLine> profile;
  if (line.diffProfile) {
    if (auto failure = ReadProfile(DirectFiles(), *line.diffProfile, &profile)) return failure;
    for (const ProfileLine& profileLine : profile)
      if (std::find(tweakIds.begin(), tweakIds.end(), profileLine.tweakId) == tweakIds.end() && line.tweakIds.empty())
        tweakIds.push_back(profileLine.tweakId);
  }
  SettablePlatform platforms[2] = {line.platform, line.platform};
  std::ostringstream unused;
  RecordingRegistry steps0(registries[0]), steps1(registries[1]);
  Session a(steps0, platforms[0], *host.profile, DirectFiles(), unused, true, true);
  Session b(steps1, platforms[1], *host.profile, DirectFiles(), unused, true, true);
  if (line.diffProfile) b.ApplyProfile(profile);
  std::vector<PagePair> pages;
  for (int id : tweakIds) {
    pages.push_back({id, a.Title(id), a.PageOf(id), b.PageOf(id)});
  }
  if (line.json)
    out << DiffJson(pages).dump(2) << '\n';
  else
    out << DiffText(pages);
  if (AnyDifference(pages)) return CliFailure{kExitDrifted, "the two sides differ"};
  return std::nullopt;
}

std::optional<CliFailure> Run(const std::vector<std::string>& args, CliHost& host, std::ostream& out) {
  CommandLine line;
  if (auto failure = ParseCommandLine(args, host.platform, &line)) return failure;
  if (line.command == CommandLine::kHelp) {
    out << kCliUsage << '\n' << kHelp;
    return std::nullopt;
  }
  if (line.command == CommandLine::kDiff) return Diff(line, host, out);

  // The tree and find do not depend on the registry: without one they run over
  // an empty registry, in which no history can be kept and nothing is saved.
  if (!line.registryFile && !host.systemRegistry && line.command != CommandLine::kTree &&
      line.command != CommandLine::kFind)
    return Usage("--registry FILE is required: this build has no system registry");
  const bool changing = line.command == CommandLine::kApply || line.command == CommandLine::kUndo ||
                        line.command == CommandLine::kProfileApply;

  // One writer at a time: the registry file and the program's folder (the
  // history and the backups) stay locked from the first read to the last
  // write. Every file the command writes is a FileTransaction's: complete
  // new files first, put in place only once all of them are written, the
  // history after the registry file. With the system registry the backups
  // and the history are written at once instead, as the window writes them:
  // a backup must be on disk before its change reaches the registry.
  std::string message;
  RunLock registryLock, homeLock;
  if (line.registryFile && changing && !registryLock.Acquire(*line.registryFile, kLockWait, &message))
    return FileFailure(message);
  const std::string historyPath = line.platform.ProgramFolder() + "\\" + kHistoryFileName;
  if (!homeLock.Acquire(historyPath, kLockWait, &message)) return FileFailure(message);
  FileTransaction files(host.fileFaults);
  files.PutLast(historyPath);

  MemoryRegistry fileRegistry;
  RegistryFile file;  // as read, to be written back with what the run changed
  if (line.registryFile) {
    std::unique_ptr<OpenFile> opened = files.Open(*line.registryFile, &message);
    if (!message.empty()) return FileFailure(message);
    if (opened && !file.Read(std::move(opened), *line.registryFile, fileRegistry, &message)) return FileFailure(message);
  }
  // Everything the run does to a registry file, start-up included, is
  // recorded, so that only what changed is written back.
  RecordingRegistry fileRun(fileRegistry);
  if (line.registryFile) fileRun.Begin(nullptr, /*listMade=*/true);
  // A preview or a check runs on a scratch copy: the registry file is not
  // written back; the system registry is read through an overlay.
  const bool preview = line.dryRun || line.command == CommandLine::kCheck;
  std::optional<OverlayRegistry> overlay;
  if (preview && !line.registryFile && host.systemRegistry) overlay.emplace(*host.systemRegistry);
  IRegistry& registry = line.registryFile || !host.systemRegistry
                            ? static_cast<IRegistry&>(fileRun)
                            : overlay ? static_cast<IRegistry&>(*overlay) : *host.systemRegistry;

  std::vector<ProfileLine> profile;
  if (line.command == CommandLine::kProfileApply || line.command == CommandLine::kCheck)
    if (auto failure = ReadProfile(files, line.profileFile, &profile)) return failure;
  // A changes file that cannot be written is known before anything changes
  // (a Registry.pol folder gets its files only when they are written).
  if (changing && line.changesFile && line.changesFormat != ChangesFormat::kPol &&
      !files.Write(*line.changesFile, "", &message))
    return FileFailure(message);

  // The command is recorded, around the recording of each apply, to know
  // whether it changed the registry and, with --changes, what; the
  // program's own values written at start-up are not part of it.
  RecordingRegistry run(registry);
  DirectFileStore direct(host.fileFaults);
  IFileStore& programFiles = line.registryFile ? static_cast<IFileStore&>(files) : direct;
  RecordingRegistry steps(static_cast<IRegistry&>(run));
  Session session(steps, line.platform, *host.profile, programFiles, out, line.json, preview);
  run.Begin(nullptr, /*listMade=*/line.changesFile.has_value());
  // What the run changed in the system registry, to be put back when the
  // files that go with it cannot be written (a changes file whose format
  // cannot hold a change among them): the command changes nothing then.
  std::vector<RegChange> liveRestore;
  const auto putBack = [&](CliFailure failure) {
    if (liveRestore.empty()) return failure;
    ApplyRegistryChanges(liveRestore, registry);
    failure.message += "; the registry was put back as it was";
    return failure;
  };
  // After apply, undo and profile apply: what the run changed as a registry
  // file, and the registry file written back unless nothing changed.
  const auto saveChanges = [&]() -> std::optional<CliFailure> {
    const RecordedChanges changes = run.End();
    if (!line.registryFile && !preview) liveRestore = changes.restore;
    if (line.changesFile) {
      std::string command = "corvandel-cli";
      for (const std::string& arg : args) (command += ' ') += arg;
      if (auto failure = WriteChangesFile(files, *line.changesFile, line.changesFormat, changes.made,
                                          (preview ? "The changes that would be made by: " : "The changes made by: ") +
                                              command))
        return failure;
    }
    // A run whose command changed nothing leaves the file as it was, the
    // program's own first-run values included; one that changed something
    // writes those too.
    if (!line.registryFile || preview || changes.restore.empty()) return std::nullopt;
    const std::vector<RegChange> made = fileRun.End().made;
    const bool written = files.WriteMade(
        *line.registryFile,
        [&](const FileTransaction::PutBytes& put, std::string* error) {
          if (file.Rewrite(made, put, error)) return true;
          *error = *line.registryFile + ": " + *error;
          return false;
        },
        &message);
    file = RegistryFile();  // the file as read is done with
    if (!written) return FileFailure(message);
    return std::nullopt;
  };

  std::optional<CliFailure> outcome;
  switch (line.command) {
    case CommandLine::kTree:
      session.Tree();
      break;
    case CommandLine::kFind:
      session.Find(line.words);
      break;
    case CommandLine::kShow:
      for (int id : line.tweakIds) session.Show(id);
      session.PrintJsonPages(false);
      break;
    case CommandLine::kApply:
    case CommandLine::kUndo: {
      outcome = line.command == CommandLine::kApply ? session.Apply(line.tweakIds.front(), line.settings)
                                                    : session.Undo(line.tweakIds.front());
      if (outcome && outcome->status != kExitRefused) return outcome;
      session.PrintJsonPages(true);
      if (auto failure = saveChanges()) return putBack(*failure);
      break;
    }
    case CommandLine::kBackups:
      session.Backups(line.tweakIds.empty() ? std::nullopt : std::optional<int>(line.tweakIds.front()));
      break;
    case CommandLine::kProfileSave:
      if (!ReplaceFileContent(line.profileFile, session.SaveProfile(line.tweakIds), &message))
        return FileFailure(message);
      break;
    case CommandLine::kProfileApply: {
      const std::variant<int, CliFailure> result = session.ApplyProfile(profile);
      if (const CliFailure* failure = std::get_if<CliFailure>(&result)) return *failure;
      if (auto failure = saveChanges()) return putBack(*failure);
      if (const int notApplied = std::get<int>(result))
        outcome = CliFailure{kExitRefused, std::to_string(notApplied) + " of " + std::to_string(profile.size()) +
                                               " lines of " + line.profileFile + " were not applied"};
      break;
    }
    case CommandLine::kCheck:
      if (const int status = session.Check(profile); status != kExitOk)
        return CliFailure{status, status == kExitDrifted ? "drifted from " + line.profileFile
                                                         : "some lines of " + line.profileFile + " cannot be checked"};
      break;
    case CommandLine::kDiff:
    case CommandLine::kHelp:
      break;
  }
  // What a command that changes nothing writes is the history's rebuild at
  // start-up, which is not worth failing it for.
  if (!files.Commit(&message) && changing) return putBack(FileFailure(message));
  return outcome;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliHost& host, std::ostream& out, std::ostream& err) {
  const std::optional<CliFailure> failure = Run(args, host, out);
  if (!failure) return kExitOk;
  err << "corvandel-cli: " << failure->message << '\n';
  return failure->status;
}

}  // namespace corvandel
