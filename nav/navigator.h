// The navigation core that the main window (and the headless front end)
// drives: start-up of the tables and the history, the selection dispatch and
// the apply dispatch. It owns what the main window owns apart from drawing:
// the titles table, the history and CurrentTweakId; the dispatch it is handed.
#pragma once

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "history/backups.h"
#include "history/change_history.h"
#include "nav/noticing_platform.h"
#include "nav/overviews.h"
#include "nav/tweak_context.h"
#include "nav/tweak_dispatch.h"
#include "services/language.h"
#include "services/profile.h"
#include "services/registry_gate.h"
#include "services/registry_recording.h"

namespace corvandel {

// What an apply or an undo did beyond its routine.
struct ChangeOutcome {
  std::vector<std::string> refusedKeys;  // keys the registry refused, as the alert lists them
  // The keys the routine tried to open when a change was asked for but, with
  // them missing, nothing was written (the page is loaded again).
  std::vector<std::string> missingKeys;
  std::size_t changedPlaces = 0;         // values and keys that hold something else now
  std::string alert;                     // the last message the routine showed, if any
  std::optional<BackupFile> backup;      // the backup that undoes it, when it changed anything
  std::string backupFailure;             // why no backup could be written: then nothing was changed
};

// The alert for refused keys: at most five of them, then "and N more".
std::string RefusedKeysText(const std::vector<std::string>& keys);
// The message for an apply that wrote nothing because its keys are missing.
std::string MissingKeysText(const std::vector<std::string>& keys);
// The quiet line under a page after an apply: what changed, nothing, or the
// refusal, and where the undo is.
std::string ApplyStatusText(const ChangeOutcome& outcome);

class Navigator {
 public:
  // dispatch: the catalogue's routines (tweaks/catalogue.h). files: where
  // the history and the backups are kept.
  Navigator(const TweakDispatch& dispatch, IRegistry& registry, IPageHost& pages, IPlatform& platform,
            IProfile& profile, IFileStore& files = DirectFiles());
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  // The start-up steps after the window exists: the language name from the
  // registry, the titles table and its translation, the change history. The
  // tree is built from Table() after this.
  void LoadTables();
  // A preview runs as a change would but leaves the files alone: no backup,
  // and the history file is not written. Set before LoadTables.
  void SetPreview() {
    preview_ = true;
    history_.KeepFileUnchanged();
  }
  // The last start-up step, once the pages exist: hide every page, then show
  // the Accessories overview.
  void ShowFirstPage();

  // A tree selection: remembers the node, hides every page and runs the node's
  // load routine (its overview for a category or group). Keys are opened for
  // reading only while it loads.
  void Select(int tweakId);
  // "Apply Changes": the apply routine of the current tweak, recorded (see
  // RunRecorded). When it wrote nothing because the keys it opens are
  // missing, one message names them and the page is loaded again.
  ChangeOutcome Apply();
  // What "Apply Changes" would write for the page as it stands, run on a
  // scratch copy of the registry: nothing is written, dated or backed up.
  // Its message boxes are shown as the apply would show them.
  RecordedChanges PreviewApply();
  // The newest backup of the current tweak, if any.
  std::optional<BackupFile> LastBackup() const;
  // Puts back what the newest backup of the current tweak holds, recorded as
  // an apply is (so an undo can be undone in turn), and loads the page again.
  // Nothing when there is no backup, or with *error when it cannot be read.
  std::optional<ChangeOutcome> UndoLastChange(std::string* error);
  const BackupFolder& Backups() const { return backups_; }

  int CurrentTweakId() const { return context_.currentTweakId; }
  const PageBehaviour& CurrentPage() const { return Dispatch().PageOf(CurrentTweakId()); }
  const TweakTable& Table() const { return table_; }
  const Language& GetLanguage() const { return language_; }
  // The platform the routines see: the one given, its message boxes counted.
  NoticingPlatform& Platform() { return platform_; }
  ChangeHistory& History() { return history_; }
  const TweakDispatch& Dispatch() const { return dispatch_; }

 private:
  // Runs the load of tweakId: its overview or its load routine.
  void Load(int tweakId);
  // Runs change over the recording registry: a backup of what it is about to
  // change is written before the change reaches the registry (and removed
  // again when nothing changed); the history record the change asks for is
  // kept unless everything was refused; refused keys are shown in one alert.
  // When a backup cannot be written, no further change gets through, what
  // got through is put back, and an alert says why nothing was changed.
  ChangeOutcome RunRecorded(const std::function<void()>& change);

  const TweakDispatch& dispatch_;
  RegistryGate gate_;
  RecordingRegistry registry_;
  IPageHost& pages_;
  NoticingPlatform platform_;
  BackupFolder backups_;
  Language language_;
  TweakTable table_;
  ChangeHistory history_;
  ListCheckColumns listColumns_;
  std::any tweakState_;
  TweakContext context_;
  bool preview_ = false;
};

}  // namespace corvandel
