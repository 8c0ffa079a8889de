#include "nav/navigator.h"

#include "nav/tweak_table.h"
#include "pages/page_reset.h"
#include "pages/version_gate.h"
#include "services/registry_key.h"
#include "services/registry_overlay.h"

namespace corvandel {

namespace {

constexpr std::size_t kListedRefusals = 5;

// Keys are opened for reading only for the life of the object.
class ReadOnlyOpens {
 public:
  explicit ReadOnlyOpens(IRegistry& registry) : registry_(registry) { registry_.SetReadOnlyOpens(true); }
  ~ReadOnlyOpens() { registry_.SetReadOnlyOpens(false); }
  ReadOnlyOpens(const ReadOnlyOpens&) = delete;
  ReadOnlyOpens& operator=(const ReadOnlyOpens&) = delete;

 private:
  IRegistry& registry_;
};

}  // namespace

std::string RefusedKeysText(const std::vector<std::string>& keys) {
  std::string text = "These keys could not be changed:\n";
  for (std::size_t i = 0; i < keys.size() && i < kListedRefusals; ++i) text += "\n" + keys[i];
  if (keys.size() > kListedRefusals) text += "\nand " + std::to_string(keys.size() - kListedRefusals) + " more";
  return text + "\n\nAdministrator rights are needed to change them.";
}

std::string MissingKeysText(const std::vector<std::string>& keys) {
  if (keys.size() == 1) return "Nothing was changed: the key " + keys.front() + " does not exist on this computer.";
  std::string text = "Nothing was changed: these keys do not exist on this computer:\n";
  for (std::size_t i = 0; i < keys.size() && i < kListedRefusals; ++i) text += "\n" + keys[i];
  if (keys.size() > kListedRefusals) text += "\nand " + std::to_string(keys.size() - kListedRefusals) + " more";
  return text;
}

std::string ApplyStatusText(const ChangeOutcome& outcome) {
  const std::string changed = "Applied: " + std::to_string(outcome.changedPlaces) +
                              (outcome.changedPlaces == 1 ? " value changed" : " values changed");
  constexpr char kUndo[] = " (undo from the system menu)";
  if (!outcome.refusedKeys.empty())
    return outcome.changedPlaces == 0 ? "Not applied: the registry refused the change"
                                      : changed + ", the registry refused the rest" + kUndo;
  if (!outcome.missingKeys.empty()) return "Nothing was changed: the key does not exist";
  if (outcome.changedPlaces == 0 && !outcome.alert.empty())
    return "Not applied: " + outcome.alert.substr(0, outcome.alert.find('\n'));
  if (outcome.changedPlaces == 0) return "Nothing to change";
  return changed + kUndo;
}

Navigator::Navigator(const TweakDispatch& dispatch, IRegistry& registry, IPageHost& pages, IPlatform& platform,
                     IProfile& profile, IFileStore& files)
    : dispatch_(dispatch),
      gate_(registry),
      registry_(static_cast<IRegistry&>(gate_)),
      pages_(pages),
      platform_(platform),
      backups_(platform.ProgramFolder(), files),
      language_(profile, platform.ProgramFolder()),
      history_(registry, platform, table_, platform.ProgramFolder() + "\\" + kHistoryFileName, files),
      context_{registry_, pages, platform_, language_, table_, history_, listColumns_, 0, &tweakState_} {}

void Navigator::LoadTables() {
  if (auto name = RegistryKey::Open(registry_, reg::kCurrentUser, kProgramKey).ReadText(kLanguageValue))
    language_.SetName(*name);
  table_ = BuildTweakTable();
  language_.TranslateTweakTable(table_);
  history_.Initialise();
}

void Navigator::ShowFirstPage() {
  ShowTweakPageNone(pages_);
  Load(0);
}

void Navigator::Load(int tweakId) {
  const TweakDispatch::Entry& entry = dispatch_[tweakId];
  if (entry.IsOverview()) {
    ShowOverview(tweakId, entry.overviewRows, pages_, table_, history_, listColumns_);
    return;
  }
  // An overview reads no keys, but may rebuild the history, which writes; a
  // tweak's load opens its keys for reading only.
  if (!entry.tweak) return;
  ReadOnlyOpens reading(registry_);
  entry.tweak->load(context_, tweakId);
}

void Navigator::Select(int tweakId) {
  context_.currentTweakId = tweakId;
  ShowTweakPageNone(pages_);
  Load(tweakId);
}

ChangeOutcome Navigator::Apply() {
  const TweakRoutines* tweak = dispatch_[context_.currentTweakId].tweak;
  if (!tweak || !tweak->apply) return {};
  const std::size_t shownBefore = platform_.MessagesShown();
  ChangeOutcome outcome = RunRecorded([&] { tweak->apply(context_); });
  if (platform_.MessagesShown() > shownBefore) outcome.alert = platform_.LastMessage();
  if (!outcome.missingKeys.empty()) {
    platform_.ShowMessage(MissingKeysText(outcome.missingKeys), language_.GetLangString(kAlertCaption),
                          mb::kIconInformation);
    // The page shows what is stored, not what could not be written.
    Select(context_.currentTweakId);
  }
  return outcome;
}

RecordedChanges Navigator::PreviewApply() {
  const TweakRoutines* tweak = dispatch_[context_.currentTweakId].tweak;
  if (!tweak || !tweak->apply) return {};
  OverlayRegistry scratch(registry_);
  RecordingRegistry recorder(static_cast<IRegistry&>(scratch));
  TweakContext preview{recorder, pages_, platform_, language_, table_, history_, listColumns_,
                       context_.currentTweakId, &tweakState_};
  bool recordAsked = false;  // a preview dates nothing
  preview.heldRecord = &recordAsked;
  recorder.Begin(nullptr, /*listMade=*/true);
  tweak->apply(preview);
  return recorder.End();
}

std::optional<BackupFile> Navigator::LastBackup() const { return backups_.Newest(context_.currentTweakId); }

std::optional<ChangeOutcome> Navigator::UndoLastChange(std::string* error) {
  const std::optional<BackupFile> backup = LastBackup();
  if (!backup) return std::nullopt;
  std::vector<RegChange> restore;
  if (!BackupFolder::Read(*backup, &restore, error)) return std::nullopt;
  ChangeOutcome outcome = RunRecorded([&] {
    context_.RecordTweakChange();
    ApplyRegistryChanges(restore, registry_);
  });
  Select(context_.currentTweakId);
  return outcome;
}

ChangeOutcome Navigator::RunRecorded(const std::function<void()>& change) {
  const int tweakId = context_.currentTweakId;
  const TweakEntry* row = FindRow(table_, tweakId);
  const std::string title = row ? row->title : std::string();
  ChangeOutcome outcome;
  std::vector<RegChange> written;  // what the backup file holds
  RecordingRegistry::BeforeChange backup = [&](const std::vector<RegChange>& restore) {
    if (!outcome.backupFailure.empty()) return;
    if (!outcome.backup) outcome.backup = backups_.NextFile(tweakId, platform_.TodayUtc());
    if (backups_.Write(*outcome.backup, title, restore, &outcome.backupFailure)) {
      written = restore;
    } else {
      gate_.Close();
      if (outcome.backupFailure.empty()) outcome.backupFailure = outcome.backup->path + ": cannot write";
    }
  };
  registry_.Begin(preview_ ? nullptr : std::move(backup));
  bool recordAsked = false;
  context_.heldRecord = &recordAsked;
  change();
  context_.heldRecord = nullptr;
  RecordedChanges recorded = registry_.End();

  if (!outcome.backupFailure.empty()) {
    gate_.Open();
    ApplyRegistryChanges(recorded.restore, registry_);
    backups_.Remove(*outcome.backup);
    outcome.backup.reset();
    platform_.ShowMessage("The backup of this change could not be written, so nothing was changed.\n\n" +
                              outcome.backupFailure,
                          language_.GetLangString(kAlertCaption), mb::kIconError);
    return outcome;
  }
  if (outcome.backup) {
    if (recorded.restore.empty() ||
        (recorded.restore != written && !backups_.Write(*outcome.backup, title, recorded.restore))) {
      backups_.Remove(*outcome.backup);
      outcome.backup.reset();
    } else {
      backups_.Prune();
    }
  }
  if (recordAsked && !recorded.AllRefused()) history_.RecordTweakChange(tweakId);
  if (!recorded.refusedKeys.empty())
    platform_.ShowMessage(RefusedKeysText(recorded.refusedKeys), language_.GetLangString(kAlertCaption), mb::kIconError);
  outcome.refusedKeys = std::move(recorded.refusedKeys);
  if (recorded.OnlyMissing()) outcome.missingKeys = std::move(recorded.missingKeys);
  outcome.changedPlaces = recorded.restore.size();
  return outcome;
}

}  // namespace corvandel
