// The navigation core that the main window (and the headless front end)
// drives: start-up of the tables and the history, the selection dispatch and
// the apply dispatch. It owns what the main window owns apart from drawing:
// the titles table, the history, CurrentTweakId and the category handlers.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "history/change_history.h"
#include "nav/category_tweaks.h"
#include "nav/overviews.h"
#include "nav/tweak_context.h"
#include "services/language.h"
#include "services/profile.h"
#include "tweaks/file_system/drive_table.h"

namespace corvandel {

class Navigator {
 public:
  Navigator(IRegistry& registry, IPageHost& pages, IPlatform& platform, IProfile& profile);
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  // The start-up steps after the window exists: the language name from the
  // registry, the titles table and its translation, the change history. The
  // tree is built from Table() after this.
  void LoadTables();
  // The last start-up step, once the pages exist: hide every page, then show
  // the Accessories overview.
  void ShowFirstPage();

  // A tree selection: remembers the node, hides every page and runs the node's
  // load routine (its overview for a category or group).
  void Select(int tweakId);
  // "Apply Changes": the apply routine of the current tweak.
  void Apply();

  int CurrentTweakId() const { return context_.currentTweakId; }
  const TweakTable& Table() const { return table_; }
  const Language& GetLanguage() const { return language_; }
  ChangeHistory& History() { return history_; }
  const CCategoryTweaks& Handler(Category category) const;

 private:
  const CCategoryTweaks* HandlerOf(int tweakId) const;

  IRegistry& registry_;
  IPageHost& pages_;
  Language language_;
  TweakTable table_;
  ChangeHistory history_;
  ListCheckColumns listColumns_;
  DriveTable driveTable_;
  TweakContext context_;
  std::array<std::unique_ptr<CCategoryTweaks>, kCategoryCount> handlers_;
};

}  // namespace corvandel
